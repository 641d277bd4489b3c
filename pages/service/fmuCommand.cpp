#include "pages/service/fmuCommand.h"

#include "core/driver/untDriver.h"
#include "core/pages/MemoReport.h"
#include "core/settings/ResStrings.h"
#include "core/support/BinUtils.h"
#include "core/support/Format.h"
#include "core/support/StrictHex.h"
#include "platform/Exceptions.h"
#include "platform/ui/FormBuilder.h"

#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QScopeGuard>

namespace {
// Switches the device to another protocol; never probed.
constexpr int SkippedCode = 0x16;
const char* const ProbeCaption = "Список неподдерживаемых команд";
} // namespace

QString ProbeLine(int Code, std::int32_t Result)
{
    if (Result == 55)
        return Format(QStringLiteral("%.2x"), {Code});
    if (Result < 0)
        return QStringLiteral("Error: ") + Format(QStringLiteral("%.2x"), {Result});
    return {};
}

TfmCommand::TfmCommand(QWidget* owner) : TPage(owner, "fmCommand", PageCaption)
{
    using T = TfmCommand;
    TFormBuilder<T> page(this, nullptr, true);
    auto left = page.Section();
    left.Edit(NAMED(edtTxData), QStringLiteral("Команда, HEX:"), QStringLiteral("13 1E 2D 3C 4B"), "TransferBytes");
    edtRxData = left.Edit(NAMED(edtRxData), QStringLiteral("Ответ, HEX:"), {}, "TransferBytes");
    edtRxData->setReadOnly(true);
    left.Edit(NAMED(edtURL), QStringLiteral("URL:"), {}, "URL");
    edtPingResult = left.Edit(NAMED(edtPingResult), QStringLiteral("Результат пинга:"), {}, "PingResult");
    edtPingResult->setReadOnly(true);
    edtPingTime = left.Edit(NAMED(edtPingTime), QStringLiteral("Время пинга, мс:"), {}, "PingTime");
    edtPingTime->setReadOnly(true);
    left.Buttons(3, {
        {NAMED(btnSend), "Передать", &T::btnSendClick, "TransferBytes"},
        // Starts the probe; a second click stops it.
        {NAMED(btnSupportedCommands), ProbeCaption, &T::btnSupportedCommandsClick, "ExchangeBytes", TRun::Plain},
        {NAMED(TntBitBtn1), "Пинг", &T::TntBitBtn1Click, "Ping"},
    });
    left.Label(NAMED(lblProgress), QString());
    memOut = ReportMemo(page.Memo(NAMED(memOut), true));
    memOut->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memOut->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    page.Grid()->setColumnStretch(0, 1);
    page.Grid()->setColumnStretch(1, 1);
}

void TfmCommand::btnSendClick()
{
    // Bad hex sends nothing.
    const QByteArray command = HexToStrStrict(edtTxData->text());
    if (command.isEmpty())
        throw EConvertError(QStringLiteral("Введите байты команды в HEX"));
    TDriver& d = Driver();
    d.setBinaryConversion(1);
    d.setTransferBytes(StrToHex(command));
    d.ExchangeBytes();
    edtRxData->setText(d.TransferBytes());
}

void TfmCommand::btnSupportedCommandsClick()
{
    if (FProbing) {
        FProbeStop = true;
        return;
    }
    TEnableButtonsFrame frame(this);
    TDriverJob job;   // events run between the driver calls
    FProbing = true;
    FProbeStop = false;
    btnSupportedCommands->setText(QStringLiteral("Прервать"));
    btnSupportedCommands->setEnabled(true);
    const auto end = qScopeGuard([this] {
        FProbing = false;
        btnSupportedCommands->setText(QString::fromUtf8(ProbeCaption));
        lblProgress->clear();
    });
    memOut->clear();
    memOut->appendPlainText(GetRes("Неподдерживаемые команды"));
    TDriver& d = Driver();
    for (int code = 0; code <= 0xFF && !FProbeStop; ++code) {
        if (code == SkippedCode)
            continue;
        d.setBinaryConversion(1);
        d.setTransferBytes(Format(QStringLiteral("%.2x"), {code}));
        const std::int32_t result = d.ExchangeBytes();
        const QString line = ProbeLine(code, result);
        if (!line.isEmpty())
            memOut->appendPlainText(line);
        if (result < 0)
            break;
        lblProgress->setText(Format(QStringLiteral("Проверен код %.2x из FF"), {code}));
        QCoreApplication::processEvents();
    }
}

void TfmCommand::TntBitBtn1Click()
{
    TDriver& d = Driver();
    d.setURL(edtURL->text());
    Check(d.Ping());
    edtPingResult->setText(QString::number(d.PingResult()));
    edtPingTime->setText(QString::number(std::uint32_t(d.PingTime())));
}
