#include "pages/service/fmuFirmwareUpdate.h"

#include "core/driver/untDriver.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FormBuilder.h"

#include <QLineEdit>
#include <QTimer>

namespace {
constexpr int PollMs = 300;
constexpr int FileNameLength = 100;
constexpr int ModeSessionClosed = 4;
constexpr int InterfaceRS232 = 0;
constexpr int InterfaceWiFi = 3;

const QString NoDFUText = QStringLiteral(
    "Данный тип подключения не поддерживает прошивку по dfu.\r\nВыберите xmodem или подключите аппарат по USB.\r\n"
    "Все равно продолжить?");
const QString ModuleNoCardText = QStringLiteral(
    "Данный тип подключения не поддерживает прошивку по dfu.\r\nСледует подключиться к УМ напрямую по MicroUSB\r\n"
    "или установите карту памяти\r\nи прошейте через меню \"10. Сервис - SD-Карта\".\r\nВсе равно продолжить?");
const QString ModuleText = QStringLiteral(
    "Данный тип подключения не поддерживает прошивку по dfu.\r\nПрошейте через меню \"10. Сервис - SD-Карта\r\n"
    "или подключите напрямую к УМ кабель MicroUSB\r\nВсе равно продолжить?");
const QString FNText = QStringLiteral(
    "Установленная в ККТ версия ФН скорее всего\r\nнесовместима c прошивкой для ФФД 1.2.\r\nЕсли вы пытаетесь "
    "установить прошивку \r\nдля ФФД 1.2, то это может привести к \r\nблокировке ККТ.\r\nВы уверены, что хотите "
    "продолжить?");
const QString SessionText = QStringLiteral("Смена не закрыта. Продолжить?");
} // namespace

TfmFirmwareUpdate::TfmFirmwareUpdate(QWidget* owner) : TPage(owner, "fmFirmwareUpdate", PageCaption)
{
    using T = TfmFirmwareUpdate;
    TFormBuilder<T> page(this);
    auto file = page.Columns();
    file.Edit(NAMED(edtFileName), QStringLiteral("Файл прошивки:"), {}, "FileName");
    // At most FileNameLength typed characters; a chosen or stored name stays
    // whole. An edit is announced before the change of the text.
    connect(edtFileName, &QLineEdit::textEdited, this, [this](const QString& text) {
        const qsizetype added = text.size() - FFileName.size();
        if (text.size() <= FileNameLength || added <= 0)
            return;
        const qsizetype cursor = edtFileName->cursorPosition() - added;
        edtFileName->setText(FFileName);
        edtFileName->setCursorPosition(int(std::max<qsizetype>(0, cursor)));
    });
    connect(edtFileName, &QLineEdit::textChanged, this, [this] { FFileName = edtFileName->text(); });
    file.Stretch(edtFileName);
    file.Button({NAMED(btnOpenFile), QStringLiteral("..."), &T::btnOpenFileClick, {}, TRun::Plain});
    btnOpenFile->setMaximumWidth(btnOpenFile->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 16);
    auto inputs = page.Section();
    inputs.Combo(NAMED(cbUpdateMethod), QStringLiteral("Метод обновления прошивки:"),
                 {QStringLiteral("DFU (подключение по USB)"), QStringLiteral("XMODEM (подключение по RS-232)")}, 0,
                 "UpdateFirmwareMethod");
    inputs.Edit(NAMED(edtFWUpdateStatus), QStringLiteral("Состояние обновления:"), {}, "UpdateFirmwareStatus");
    edtFWUpdateStatus->setReadOnly(true);
    page.Buttons(2, {
        {NAMED(btnUpdateFirmware), QStringLiteral("Начать обновление прошивки"), &T::btnUpdateFirmwareClick,
         "UpdateFirmware"},
        {NAMED(btnCancelFirmwareUpdate), QStringLiteral("Прервать обновление прошивки"),
         &T::btnCancelFirmwareUpdateClick, "CancelFirmwareUpdate"},
    });
    Timer = new QTimer(this);
    Timer->setObjectName(QStringLiteral("Timer"));
    Timer->setInterval(PollMs);
    connect(Timer, &QTimer::timeout, this, Guarded(this, &T::TimerTimer));
}

TfmFirmwareUpdate::~TfmFirmwareUpdate() = default;

bool TfmFirmwareUpdate::IsFNCompatibleToFFD12(const QString& version)
{
    return version.contains(QStringLiteral("fn 1.2")) || version.contains(QStringLiteral("fn_v_1_2"));
}

bool TfmFirmwareUpdate::Confirmed(const QString& text)
{
    return Dialogs::MessageBox(text, QStringLiteral("Внимание!"), Dialogs::Buttons::OkCancel, Dialogs::Icon::Warning,
                               Dialogs::mrCancel) == Dialogs::mrOk;
}

void TfmFirmwareUpdate::btnOpenFileClick()
{
    const QString filter = QStringLiteral("*.bin (*.bin);;") + Dialogs::AllFilesFilter();
    const QString name = Dialogs::OpenFileName(QString(), filter, edtFileName->text());
    if (!name.isEmpty())
        edtFileName->setText(name);
}

bool TfmFirmwareUpdate::ConfirmConnection()
{
    TDriver& d = Driver();
    switch (d.PortNumber()) {
    case InterfaceRS232:
        return Confirmed(NoDFUText);
    case InterfaceWiFi: {
        d.setTableNumber(14);
        d.setRowNumber(1);
        d.setFieldNumber(1);
        const std::int32_t code = d.ReadTable();
        Check(code < 0 ? code : 0);
        return Confirmed(code > 0 || d.ValueOfFieldInteger() != 0 ? ModuleNoCardText : ModuleText);
    }
    default:
        return true;
    }
}

void TfmFirmwareUpdate::btnUpdateFirmwareClick()
{
    TDriver& d = Driver();
    std::int32_t code = d.GetECRStatus();
    Check(code < 0 ? code : 0);
    if (code == 0 && !ConfirmConnection())
        return;
    code = d.FNGetVersion();
    Check(code < 0 ? code : 0);
    if (code == 0 && !IsFNCompatibleToFFD12(d.FNSoftVersion()) && !Confirmed(FNText))
        return;
    code = d.GetECRStatus();
    Check(code < 0 ? code : 0);
    if (code == 0 && d.ECRMode() != ModeSessionClosed && !Confirmed(SessionText))
        return;
    d.setUpdateFirmwareMethod(cbUpdateMethod->currentIndex());
    d.setFileName(edtFileName->text());
    d.UpdateFirmware();
    FUpdateJob = std::make_unique<TDriverJob>();
    Timer->start();
}

void TfmFirmwareUpdate::btnCancelFirmwareUpdateClick()
{
    Driver().CancelFirmwareUpdate();
}

void TfmFirmwareUpdate::TimerTimer()
{
    TDriver& d = Driver();
    const std::int32_t status = d.UpdateFirmwareStatus();
    edtFWUpdateStatus->setText(QString::number(status) + QStringLiteral(", ") + d.UpdateFirmwareStatusMessage());
    if (status != 1) {
        Timer->stop();
        FUpdateJob.reset();
    }
}
