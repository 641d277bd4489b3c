#include "pages/service/fmuDeviceStatus.h"

#include "core/driver/PrinterTypes.h"
#include "core/driver/untDriver.h"
#include "core/support/Format.h"
#include "core/support/SysUtils.h"
#include "core/support/untTypes.h"
#include "core/support/untUtil.h"
#include "platform/ui/FormBuilder.h"

#include <QPlainTextEdit>
#include <QScopeGuard>

namespace {
const TMemoWidths Widths{26, 33, 40};
constexpr int ModelParamWidth = 44;
constexpr int DriverVersionWidth = 14;

QString DateText(TDateTime Value)
{
    return DateToStr(DateTimeToQDateTime(Value).date());
}

QString TimeText(TDateTime Value)
{
    return TimeToStr(DateTimeToQDateTime(Value).time());
}

// The memo stops repainting while a report is built (BeginUpdate/EndUpdate).
auto FrozenWhileBuilt(QPlainTextEdit* Memo)
{
    Memo->setUpdatesEnabled(false);
    return qScopeGuard([Memo] { Memo->setUpdatesEnabled(true); });
}
} // namespace

TfmDeviceStatus::TfmDeviceStatus(QWidget* owner)
    : TPage(owner, "fmDeviceStatus", PageCaption), FReport(nullptr)
{
    // The report on the left, the buttons in one column on the right.
    TFormBuilder<TfmDeviceStatus> page(this, nullptr, true);
    FReport = TMemoReport(Memo = ReportMemo(page.Memo(NAMED(Memo), true)), Widths);
    using T = TfmDeviceStatus;
    page.Section().Buttons(9, {
        {NAMED(btnEcrStatus), "Длинный запрос", &T::btnEcrStatusClick, "GetECRStatus"},
        {NAMED(btnShortEcrStatus), "Краткий запрос", &T::btnShortEcrStatusClick, "GetShortECRStatus"},
        {NAMED(btnDeviceMetrics), "Параметры устройства", &T::btnDeviceMetricsClick, "GetDeviceMetrics"},
        {NAMED(btnGetModelParams), "Параметры модели", &T::btnGetModelParamsClick, "ReadModelParam"},
        {NAMED(btnErrorList), "Описания ошибок", &T::btnErrorListClick, "ReadErrorDescription"},
        {NAMED(btnDriverVersion), "Версия драйвера", &T::btnDriverVersionClick, "DriverVersion"},
        {NAMED(btnResetPrinter), "Сбросить состояние", &T::btnResetPrinterClick, "ResetECR"},
        {NAMED(btnTables), "Таблицы...", &T::btnTablesClick, "ShowTablesDlg"},
        {NAMED(btnSerial), "Заводской номер", &T::btnSerialClick, "ReadSerialNumber"},
    });
}

QString TfmDeviceStatus::PortNumToStr(int Code)
{
    switch (Code) {
    case 0: return QStringLiteral("RS-232");
    case 1: return QStringLiteral("USB vCOM");
    case 2: return QStringLiteral("TCP сокет (RNDIS, Ethernet, WI-FI, ppp)");
    case 3: return QStringLiteral("I2C (Основная плата)");
    default: return QStringLiteral("неизвестный тип");
    }
}

QString TfmDeviceStatus::FMRecordTypeToStr(int Type)
{
    return Type == 0 ? QStringLiteral("Фиск./активиз. ЭКЛЗ") : QStringLiteral("Сменный итог");
}

uint32_t TfmDeviceStatus::GetKeysCount(int32_t Status)
{
    return uint32_t(Status) >> 2;
}

QString TfmDeviceStatus::UpdateKeysErrorCodeToStr(int32_t Code, int32_t Status)
{
    switch (Code) {
    case 0: return Format(QStringLiteral("ОБНОВЛЕНО КЛЮЧЕЙ: %d, ОШИБОК НЕТ"), {GetKeysCount(Status)});
    case 254: return QStringLiteral("Обновление не производилось, потому что не требуется");
    case 255: return QStringLiteral("Нет связи с сервером АС ОКП");
    default: return GetFNErrorDescription(Code);
    }
}

QString TfmDeviceStatus::UpdateKeysStatusToStr(int32_t Status)
{
    if (TestBit(uint32_t(Status), 1))
        return QStringLiteral("Требуется срочное обновление");
    if (TestBit(uint32_t(Status), 0))
        return QStringLiteral("Требуется обновление");
    return {};
}

void TfmDeviceStatus::AddHead(TMemoReport& Report, const QString& Head)
{
    Report.Add({});
    Report.AddSeparator();
    Report.Add(Head);
    Report.AddSeparator();
}

void TfmDeviceStatus::AddDeviceFlags(TMemoReport& Report, const QString& Name, bool CapFN)
{
    TDriver& d = Driver();
    const int32_t flags = d.ECRFlags();
    Report.AddSeparator();
    Report.AddLine(Name, Format(QStringLiteral("%.4xh, %d"), {flags, flags}));
    Report.AddSeparator();
    Report.AddBool(QStringLiteral("Увеличенная точность количества"), d.QuantityPointPosition());
    Report.AddBool(QStringLiteral("Бумага на выходе из накопителя"), d.PresenterOut());
    Report.AddBool(QStringLiteral("Бумага на входе в накопитель"), d.PresenterIn());
    if (!CapFN)
        Report.AddBool(QStringLiteral("ЭКЛЗ почти заполнена"), d.IsEKLZOverflow());
    Report.AddBool(QStringLiteral("Денежный ящик открыт"), d.IsDrawerOpen());
    Report.AddBool(QStringLiteral("Крышка корпуса поднята"), d.LidPositionSensor());
    Report.AddBool(QStringLiteral("Рычаг термоголовки чека опущен"), d.ReceiptRibbonLever());
    Report.AddBool(QStringLiteral("Рычаг термоголовки журнала опущен"), d.JournalRibbonLever());
    Report.AddBool(QStringLiteral("Оптический датчик чека"), d.ReceiptRibbonOpticalSensor());
    Report.AddBool(QStringLiteral("Оптический датчик журнала"), d.JournalRibbonOpticalSensor());
    if (!CapFN)
        Report.AddBool(QStringLiteral("ЭКЛЗ есть"), d.EKLZIsPresent());
    Report.AddBool(QStringLiteral("2 знака после запятой в цене"), d.PointPosition());
    Report.AddBool(QStringLiteral("Нижний датчик ПД"), d.SlipDocumentIsPresent());
    Report.AddBool(QStringLiteral("Верхний датчик ПД"), d.SlipDocumentIsMoving());
    Report.AddBool(QStringLiteral("Рулон чековой ленты"), d.ReceiptRibbonIsPresent());
    Report.AddBool(QStringLiteral("Рулон контрольной ленты"), d.JournalRibbonIsPresent());
}

void TfmDeviceStatus::AddMetrics(TMemoReport& Report, bool WithCodePageText)
{
    TDriver& d = Driver();
    QString codePage = QString::number(d.UCodePage());
    if (WithCodePageText)
        codePage += QStringLiteral(", ") + d.UCodePageText();
    Report.Add(QStringLiteral(" Кодовая страница    : ") + codePage);
    Report.Add(QStringLiteral(" Описание устройства : ") + d.UDescription());
    Report.Add(QStringLiteral(" Версия протокола    : ") + QString::number(d.UMajorProtocolVersion()));
    Report.Add(QStringLiteral(" Подверсия протокола : ") + QString::number(d.UMinorProtocolVersion()));
    Report.Add(QStringLiteral(" Тип устройства      : ") + QString::number(d.UMajorType()));
    Report.Add(QStringLiteral(" Подтип устройства   : ") + QString::number(d.UMinorType()));
    Report.Add(QStringLiteral(" Модель устройства   : ") + QString::number(d.UModel()));
}

void TfmDeviceStatus::CaretToStart()
{
    Memo->moveCursor(QTextCursor::Start);
}

void TfmDeviceStatus::AddSKNOStatus(int32_t Status)
{
    FReport.Add(Format(QStringLiteral("Статус СКНО: %.4xh"), {Status}));
    const char* const bits[] = {
        "Занят",
        "СКЗИ",
        "Соединение с сервером",
        "Запрет обслуживания по окончанию сертификата СКЗИ",
        "Запрет обслуживания по не переданным суточным (сменным) отчетам (Z-отчетам)",
        "Запрет обслуживания по переполнению памяти СКНО",
        "Идентификация прошла успешно",
        "Смена открыта",
        "Не завершена процедура по переданному документу",
        "Наличие в памяти СКНО не переданных документов",
        "Превышен максимальный размер электронного кассового документа",
        "СКНО исправно",
    };
    for (int bit = 0; bit < 12; ++bit)
        FReport.Add(QString::fromUtf8(bits[bit]) + QStringLiteral(": ") + GetBitStr(uint32_t(Status), bit));
}

void TfmDeviceStatus::btnEcrStatusClick()
{
    FReport.Clear();
    const auto frozen = FrozenWhileBuilt(Memo);
    TDriver& d = Driver();
    if (d.GetECRStatus() != 0)
        return;
    const bool fn = d.CapFN();
    TMemoReport& r = FReport;
    AddHead(r, QStringLiteral(" Запрос состояния:"));
    r.Add(QStringLiteral(" Режим: "));
    r.Add(Format(QStringLiteral("  %d, %s"), {d.ECRMode(), d.ECRModeDescription()}));
    r.AddSeparator();
    r.AddLine(QStringLiteral("Версия ПО"), d.ECRSoftVersion());
    r.AddLine(QStringLiteral("Сборка ПО"), QString::number(d.ECRBuild()));
    r.AddLine(QStringLiteral("Дата ПО"), DateText(d.ECRSoftDate()));
    if (!fn) {
        r.AddSeparator();
        r.AddLine(QStringLiteral("Версия ПО ФП"), d.FMSoftVersion());
        r.AddLine(QStringLiteral("Сборка ПО ФП"), QString::number(d.FMBuild()));
        r.AddLine(QStringLiteral("Дата ПО ФП"), DateText(d.FMSoftDate()));
    }
    r.AddSeparator();
    r.AddLine(QStringLiteral("Подрежим"),
              Format(QStringLiteral("%d, %s"), {d.ECRAdvancedMode(), d.ECRAdvancedModeDescription()}));
    r.AddLine(QStringLiteral("Статус режима"), QString::number(d.ECRModeStatus()));
    r.AddLine(QStringLiteral("Номер ККМ в зале"), QString::number(d.LogicalNumber()));
    r.AddLine(QStringLiteral("Номер документа"), QString::number(d.OpenDocumentNumber()));
    const int32_t port = d.PortNumber();
    r.AddLine(QStringLiteral("Интерфейс подключения"), Format(QStringLiteral("%d, %s"), {port, PortNumToStr(port)}));
    if (!fn) {
        r.AddLine(QStringLiteral("Количество фискализаций"), QString::number(d.RegistrationNumber()));
        r.AddLine(QStringLiteral("Осталось фискализаций"), QString::number(d.FreeRegistration()));
    }
    r.AddLine(QStringLiteral("Последняя закрытая смена"), QString::number(d.SessionNumber()));
    if (!fn)
        r.AddLine(QStringLiteral("Свободных записей в ФП"), QString::number(d.FreeRecordInFM()));
    r.AddLine(QStringLiteral("Дата"), DateText(d.Date()));
    r.AddLine(QStringLiteral("Время"), TimeText(d.Time()));
    r.AddLine(QStringLiteral("Заводской номер"), GetSerialNumber(d.SerialNumber()));
    r.AddLine(QStringLiteral("ИНН"), GetINN(d.INN()));
    AddDeviceFlags(r, QStringLiteral("Флаги кассовой техники"), fn);
    if (!fn) {
        const int32_t flags = d.FMFlags();
        r.AddSeparator();
        r.AddLine(QStringLiteral("Флаги ФП"), Format(QStringLiteral("%.2xh, %d"), {flags, flags}));
        r.AddSeparator();
        r.AddBool(QStringLiteral("24 часа в ФП кончились"), d.IsFM24HoursOver());
        r.AddBool(QStringLiteral("Смена в ФП открыта"), d.IsFMSessionOpen());
        r.AddBool(QStringLiteral("Последняя запись в ФП повреждена"), d.IsLastFMRecordCorrupted());
        r.AddBool(QStringLiteral("Батарея ФП заряжена более 80 %"), !d.IsBatteryLow());
        r.AddBool(QStringLiteral("Переполнение ФП"), d.FMOverflow());
        r.AddBool(QStringLiteral("ФП2 есть"), d.FM2IsPresent());
        r.AddBool(QStringLiteral("ФП1 есть"), d.FM1IsPresent());
    }
    if (d.CapCashCore()) {
        r.AddSeparator();
        r.AddBool(QStringLiteral("Режим АСПД"), d.IsASPDMode());
        r.AddBool(QStringLiteral("Блокировка ККТ по неверному паролю НИ"), d.IsBlockedByWrongTaxPassword());
        if (!fn) {
            r.AddBool(QStringLiteral("Повреждены 3 или более записей"), d.IsCorruptedFMRecords());
            r.AddBool(QStringLiteral("Повреждена запись фискализации"), d.IsCorruptedFiscalizationInfo());
            r.AddLine(QStringLiteral("Тип последней записи ФП"), FMRecordTypeToStr(d.LastFMRecordType()));
        }
    }
    r.AddSeparator();
    if (d.CapSKNO())
        AddSKNOStatus(d.SKNOStatus());
    CaretToStart();
}

void TfmDeviceStatus::btnShortEcrStatusClick()
{
    FReport.Clear();
    const auto frozen = FrozenWhileBuilt(Memo);
    TDriver& d = Driver();
    if (d.GetShortECRStatus() != 0)
        return;
    TMemoReport& r = FReport;
    AddHead(r, QStringLiteral(" Краткий запрос состояния:"));
    r.Add(QStringLiteral(" Режим: "));
    r.Add(Format(QStringLiteral(" %d, %s"), {d.ECRMode(), d.ECRModeDescription()}));
    r.AddSeparator();
    r.AddLine(QStringLiteral("Подрежим"),
              Format(QStringLiteral("%d, %s"), {d.ECRAdvancedMode(), d.ECRAdvancedModeDescription()}));
    r.AddLine(QStringLiteral("Статус режима"), QString::number(d.ECRModeStatus()));
    r.AddLine(QStringLiteral("Количество операций в чеке"), QString::number(d.QuantityOfOperations()));
    r.AddLine(QStringLiteral("Напряжение батареи, В"), Format(QStringLiteral("%.2f"), {d.BatteryVoltage()}));
    r.AddLine(QStringLiteral("Напряжение источника, В"), Format(QStringLiteral("%.2f"), {d.PowerSourceVoltage()}));
    r.AddLine(QStringLiteral("Предыдущий режим ККТ"), QString::number(d.PreviousECRMode()));
    r.AddLine(QStringLiteral("Температура ТПГ"), QString::number(d.PrinterHeadTemperature()));
    if (d.GetModelID() == 254) {
        const int32_t code = d.UpdateKeysResultCode();
        const int32_t status = d.UpdateKeysStatus();
        r.AddLine(QStringLiteral("Код ошибки при обновлении ключей"),
                  Format(QStringLiteral("%d, %s"), {code, UpdateKeysErrorCodeToStr(code, status)}));
        r.AddLine(QStringLiteral("Статус обновления ключей"),
                  Format(QStringLiteral("%d, %s"), {status, UpdateKeysStatusToStr(status)}));
        r.AddLine(QStringLiteral("Кол-во обновленных ключей"), QString::number(GetKeysCount(status)));
    }
    if (d.CapLastPrintResult())
        r.AddLine(QStringLiteral("Результат последней печати"), QString::number(d.LastPrintResult()));
    AddDeviceFlags(r, QStringLiteral("Флаги кассовой техники"), d.CapFN());
    r.AddSeparator();
    CaretToStart();
}

void TfmDeviceStatus::btnDeviceMetricsClick()
{
    FReport.Clear();
    if (Driver().GetDeviceMetrics() != 0)
        return;
    AddHead(FReport, QStringLiteral(" Параметры принтера:"));
    AddMetrics(FReport, true);
}

void TfmDeviceStatus::btnGetModelParamsClick()
{
    FReport.Clear();
    const auto frozen = FrozenWhileBuilt(Memo);
    TDriver& d = Driver();
    if (d.GetDeviceMetrics() != 0)
        return;
    AddHead(FReport, QStringLiteral(" Параметры Модели:"));
    const int32_t count = d.ModelParamCount();
    for (int32_t index = 0; index < count; ++index) {
        d.setModelParamIndex(index);
        if (d.ReadModelParam() != 0)
            break;
        const QVariant value = d.ModelParamValue();
        const QString text = value.typeId() == QMetaType::Bool ? BoolToYesNo(value.toBool()) : value.toString();
        FReport.AddLineWidth(Format(QStringLiteral("%4d. %s"), {d.ModelParamNumber(), d.ModelParamDescription()}),
                             text, ModelParamWidth);
    }
}

void TfmDeviceStatus::btnErrorListClick()
{
    FReport.Clear();
    const auto frozen = FrozenWhileBuilt(Memo);
    TDriver& d = Driver();
    if (d.GetDeviceMetrics() != 0)
        return;
    AddHead(FReport, QStringLiteral(" Описания ошибок"));
    for (int code = 0; code <= 255; ++code) {
        d.setErrorCode(code);
        if (d.ReadErrorDescription() != 0)
            break;
        FReport.Add(Format(QStringLiteral(" %.2x: %s"), {code, d.ErrorDescription()}));
    }
}

void TfmDeviceStatus::btnDriverVersionClick()
{
    FReport.Clear();
    const auto frozen = FrozenWhileBuilt(Memo);
    TDriver& d = Driver();
    AddHead(FReport, QStringLiteral(" Версия драйвера:"));
    FReport.AddLineWidth(QStringLiteral("Версия"), QString::number(d.DriverMajorVersion()), DriverVersionWidth);
    FReport.AddLineWidth(QStringLiteral("Подверсия"), QString::number(d.DriverMinorVersion()), DriverVersionWidth);
    FReport.AddLineWidth(QStringLiteral("Релиз"), QString::number(d.DriverRelease()), DriverVersionWidth);
    FReport.AddLineWidth(QStringLiteral("Сборка"), QString::number(d.DriverBuild()), DriverVersionWidth);
    FReport.AddLineWidth(QStringLiteral("Полная версия"), d.DriverVersion(), DriverVersionWidth);
}

void TfmDeviceStatus::btnResetPrinterClick()
{
    Driver().ResetECR();
}

void TfmDeviceStatus::btnTablesClick()
{
    TDriver& d = Driver();
    d.setParentWnd(int32_t(window()->winId()));
    d.ShowTablesDlg();
}

void TfmDeviceStatus::btnSerialClick()
{
    FReport.Clear();
    TDriver& d = Driver();
    // Only a number the device gave is shown.
    if (d.ReadSerialNumber() == 0)
        FReport.AddLine(QStringLiteral("Заводской номер"), GetSerialNumber(d.SerialNumber()));
}
