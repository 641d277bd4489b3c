#include "pages/service/fmuFullStatus.h"

#include "core/driver/untDriver.h"
#include "core/support/FileUtils.h"
#include "core/support/Format.h"
#include "core/support/SysUtils.h"
#include "core/support/untUtil.h"
#include "pages/service/fmuDeviceStatus.h"
#include "platform/Exceptions.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FormBuilder.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScopeGuard>
#include <QStyle>
#include <QTimer>

namespace {
const TMemoWidths Widths{24, 33, 52};
constexpr int32_t NoSuchTable = 93;
constexpr int32_t MaxTableNumber = 255;
constexpr int RegisterCount = 256;

const QString UserAbortText = QStringLiteral("<Прервано пользователем>");

QVariant DateTimeValue(TDateTime Value)
{
    return DateTimeToQDateTime(Value);
}

QString RegisterLine(int Number, const QString& Name, const QString& Value)
{
    return Format(QStringLiteral(" %3d.%-44s : %s"), {Number, Name, Value});
}
} // namespace

TfmFullStatus::TfmFullStatus(QWidget* owner) : TPage(owner, "fmFullStatus", PageCaption), FReport(nullptr)
{
    // The report on the left, the buttons in one column on the right.
    TFormBuilder<TfmFullStatus> page(this, nullptr, true);
    FReport = TMemoReport(Memo = ReportMemo(page.Memo(NAMED(Memo), true)), Widths);
    using T = TfmFullStatus;
    page.Section().Buttons(3, {
        {NAMED(btnFullEcrStatus), "Получить", &T::btnFullEcrStatusClick,
         "GetECRStatus, GetShortECRStatus, GetDeviceMetrics, ReadTable, GetCashReg, GetOperationReg"},
        {NAMED(btnSaveToFile), "Сохранить", &T::btnSaveToFileClick, {}, TRun::Plain},
        {NAMED(btnInterrupt), "Прервать", &T::btnInterruptClick, {}, TRun::Plain},
    });
    btnSaveToFile->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
}

QString TfmFullStatus::VarToStr(const QVariant& Value)
{
    switch (Value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return QString::number(Value.toDouble(), 'g', 15).replace(QLatin1Char('.'), DecimalSeparator());
    case QMetaType::QDateTime: {
        const QDateTime value = Value.toDateTime();
        if (value.date() == DateTimeToQDateTime(0).date())
            return TimeToStr(value.time());
        return value.time() == QTime(0, 0) ? DateToStr(value.date()) : DateTimeToStr(value);
    }
    default:
        return Value.toString();
    }
}

bool TfmFullStatus::eventFilter(QObject* watched, QEvent* event)
{
    // Closing the window during a run stops the run first; the window closes
    // once the handler has ended.
    if (event->type() == QEvent::Close && FRunning && watched == window()) {
        FStopFlag = true;
        FCloseRequested = true;
        event->ignore();
        return true;
    }
    return TPage::eventFilter(watched, event);
}

void TfmFullStatus::ProcessMessages()
{
    if (FEventsRun.isValid() && FEventsRun.elapsed() < EventInterval)
        return;
    QCoreApplication::processEvents();
    FEventsRun.start();
}

void TfmFullStatus::Check2(int32_t ResultCode)
{
    ProcessMessages();
    if (FStopFlag)
        throw EAbort(UserAbortText);
    Check(ResultCode);
}

void TfmFullStatus::AddLine(const QString& Name, const QVariant& Value)
{
    FReport.AddLine(Name, VarToStr(Value));
}

void TfmFullStatus::AddBool(const QString& Name, bool Flag)
{
    FReport.AddBool(Name, Flag);
}

void TfmFullStatus::CaretToStart()
{
    Memo->moveCursor(QTextCursor::Start);
}

void TfmFullStatus::btnFullEcrStatusClick()
{
    TDriverJob job;   // events run between the driver calls
    FStopFlag = false;
    FCloseRequested = false;
    FEventsRun.invalidate();
    btnInterrupt->setEnabled(true);
    FReport.Clear();
    QPointer<QWidget> watched = window();
    watched->installEventFilter(this);
    FRunning = true;
    const auto end = qScopeGuard([this, watched] {
        FRunning = false;
        if (watched)
            watched->removeEventFilter(this);
        if (FCloseRequested && watched)
            QTimer::singleShot(0, watched, &QWidget::close);
    });
    TfmDeviceStatus::AddHead(FReport, QStringLiteral(" Полное состояние"));
    try {
        AddLongStatus();
        AddShortStatus();
        AddDeviceMetrics();
        AddTables();
        AddCashRegisters();
        AddOperationRegisters();
        FReport.AddSeparator();
        CaretToStart();
    } catch (const EAbort& e) {
        FReport.Add(e.Message());
    }
}

void TfmFullStatus::AddLongStatus()
{
    TDriver& d = Driver();
    Check2(d.GetDeviceMetrics());
    Check2(d.GetECRStatus());
    d.setModelParamNumber(28);
    Check2(d.ReadModelParamValue());
    const bool extraFlags = d.ModelParamValue().toBool();
    const bool fn = d.CapFN();

    TfmDeviceStatus::AddHead(FReport, QStringLiteral(" Запрос состояния:"));
    FReport.Add(QStringLiteral(" Режим: "));
    FReport.AddMemoLine(Format(QStringLiteral("%d, %s"), {d.ECRMode(), d.ECRModeDescription()}));
    FReport.AddSeparator();
    AddLine(QStringLiteral("Версия ПО"), d.ECRSoftVersion());
    AddLine(QStringLiteral("Сборка ПО"), d.ECRBuild());
    AddLine(QStringLiteral("Дата ПО"), DateTimeValue(d.ECRSoftDate()));
    if (!fn) {
        FReport.AddSeparator();
        AddLine(QStringLiteral("Версия ПО ФП"), d.FMSoftVersion());
        AddLine(QStringLiteral("Сборка ПО ФП"), d.FMBuild());
        AddLine(QStringLiteral("Дата ПО ФП"), DateTimeValue(d.FMSoftDate()));
    }
    FReport.AddSeparator();
    AddLine(QStringLiteral("Подрежим"),
            Format(QStringLiteral("%d, %s"), {d.ECRAdvancedMode(), d.ECRAdvancedModeDescription()}));
    AddLine(QStringLiteral("Статус режима"), d.ECRModeStatus());
    AddLine(QStringLiteral("Номер ККМ в зале"), d.LogicalNumber());
    AddLine(QStringLiteral("Номер документа"), d.OpenDocumentNumber());
    AddLine(QStringLiteral("Интерфейс подключения"), d.PortNumber());
    if (!fn) {
        AddLine(QStringLiteral("Количество фискализаций"), d.RegistrationNumber());
        AddLine(QStringLiteral("Осталось фискализаций"), d.FreeRegistration());
    }
    AddLine(QStringLiteral("Последняя закрытая смена"), d.SessionNumber());
    if (!fn)
        AddLine(QStringLiteral("Свободных записей в ФП"), d.FreeRecordInFM());
    AddLine(QStringLiteral("Дата"), DateTimeValue(d.Date()));
    AddLine(QStringLiteral("Время"), DateTimeValue(d.Time()));
    if (!fn)
        AddLine(QStringLiteral("Заводской номер"), GetSerialNumber(d.SerialNumber()));
    AddLine(QStringLiteral("ИНН"), GetINN(d.INN()));
    TfmDeviceStatus::AddDeviceFlags(FReport, QStringLiteral("Флаги"), fn);
    FReport.AddSeparator();
    if (!fn) {
        const int32_t flags = d.FMFlags();
        AddLine(QStringLiteral("Флаги ФП"), Format(QStringLiteral("%.2xh, %d"), {flags, flags}));
        if (extraFlags) {
            const int32_t extra = d.FMFlagsEx();
            AddLine(QStringLiteral("Доп. Флаги ФП"), Format(QStringLiteral("%.2xh, %d"), {extra, extra}));
        }
    }
    FReport.AddSeparator();
    if (!fn) {
        AddBool(QStringLiteral("24 часа в ФП кончились"), d.IsFM24HoursOver());
        AddBool(QStringLiteral("Смена в ФП открыта"), d.IsFMSessionOpen());
        AddBool(QStringLiteral("Последняя запись в ФП повреждена"), d.IsLastFMRecordCorrupted());
        AddBool(QStringLiteral("Батарея ФП заряжена более 80 %"), !d.IsBatteryLow());
        AddBool(QStringLiteral("Переполнение ФП"), d.FMOverflow());
        AddBool(QStringLiteral("ФП2 есть"), d.FM2IsPresent());
        AddBool(QStringLiteral("ФП1 есть"), d.FM1IsPresent());
    }
    if (extraFlags) {
        AddBool(QStringLiteral("Режим АСПД"), d.IsASPDMode());
        if (!fn) {
            AddBool(QStringLiteral("Повреждены 3 или более записей"), d.IsCorruptedFMRecords());
            AddBool(QStringLiteral("Повреждена запись фискализации"), d.IsCorruptedFiscalizationInfo());
        }
    }
    FReport.AddSeparator();
}

void TfmFullStatus::AddShortStatus()
{
    TDriver& d = Driver();
    Check2(d.GetDeviceMetrics());
    Check2(d.GetShortECRStatus());
    const bool fn = d.CapFN();
    TfmDeviceStatus::AddHead(FReport, QStringLiteral(" Краткий запрос состояния:"));
    FReport.Add(QStringLiteral(" Режим: "));
    FReport.Add(Format(QStringLiteral(" %d, %s"), {d.ECRMode(), d.ECRModeDescription()}));
    FReport.AddSeparator();
    AddLine(QStringLiteral("Подрежим"),
            Format(QStringLiteral("%d, %s"), {d.ECRAdvancedMode(), d.ECRAdvancedModeDescription()}));
    AddLine(QStringLiteral("Статус режима"), d.ECRModeStatus());
    AddLine(QStringLiteral("Количество операций в чеке"), d.QuantityOfOperations());
    AddLine(QStringLiteral("Напряжение батареи, В"), d.BatteryVoltage());
    AddLine(QStringLiteral("Напряжение источника, В"), d.PowerSourceVoltage());
    if (!fn) {
        AddLine(QStringLiteral("Ошибка ФП"), d.FMResultCode());
        AddLine(QStringLiteral("Ошибка ЭКЛЗ"), d.EKLZResultCode());
    }
    TfmDeviceStatus::AddDeviceFlags(FReport, QStringLiteral("Флаги"), fn);
    FReport.AddSeparator();
}

void TfmFullStatus::AddDeviceMetrics()
{
    Check2(Driver().GetDeviceMetrics());
    TfmDeviceStatus::AddHead(FReport, QStringLiteral(" Параметры принтера:"));
    TfmDeviceStatus::AddMetrics(FReport, false);
}

void TfmFullStatus::AddTables()
{
    TfmDeviceStatus::AddHead(FReport, QStringLiteral(" ТАБЛИЦЫ:"));
    for (int32_t number = 1; number <= MaxTableNumber && AddTable(number); ++number) {
    }
}

bool TfmFullStatus::AddTable(int32_t Number)
{
    TDriver& d = Driver();
    Check2(0);
    d.setTableNumber(Number);
    const int32_t code = d.GetTableStruct();
    // Only the first structure call of a table may say that there is none.
    if (code == NoSuchTable)
        return false;
    Check(code);
    FReport.Add({});
    FReport.AddSeparator();
    FReport.Add(Format(QStringLiteral(" ТАБЛИЦА %d. %s. Рядов:%d Полей:%d"),
                       {d.TableNumber(), d.TableName(), d.RowNumber(), d.FieldNumber()}));
    FReport.Add(QStringLiteral(" Ряд.Поле. Наименование:Значение"));
    FReport.AddSeparator();

    d.setTableNumber(Number);
    Check(d.GetTableStruct());
    const int32_t rows = d.RowNumber();
    const int32_t fields = d.FieldNumber();
    for (int32_t row = 1; row <= rows; ++row) {
        d.setRowNumber(row);
        for (int32_t field = 1; field <= fields; ++field) {
            Check2(0);
            d.setFieldNumber(field);
            Check(d.GetFieldStruct());
            const QString name = d.FieldName();
            Check(d.ReadTable());
            FReport.Add(Format(QStringLiteral(" %.2d.%.2d. %s:%s"), {row, field, name, d.ValueOfFieldString()}));
        }
        FReport.AddSeparator();
    }
    return true;
}

void TfmFullStatus::AddCashRegisters()
{
    TDriver& d = Driver();
    FReport.Add({});
    FReport.Add(QStringLiteral(" ДЕНЕЖНЫЕ РЕГИСТРЫ:"));
    FReport.AddMemoLine(QString(54, QLatin1Char('-')));
    for (int number = 0; number < RegisterCount; ++number) {
        if (FStopFlag)
            throw EAbort(UserAbortText);
        d.setRegisterNumber(number);
        if (d.GetCashReg() != 0)
            throw EAbort(Format(QStringLiteral("<Прервано в результате ошибки: %d %s>"),
                                {d.ResultCode(), d.ResultCodeDescription()}));
        FReport.Add(RegisterLine(number, d.NameCashReg(), d.AmountToStr(d.ContentsOfCashRegister())));
        ProcessMessages();
    }
    CaretToStart();
}

void TfmFullStatus::AddOperationRegisters()
{
    TDriver& d = Driver();
    TfmDeviceStatus::AddHead(FReport, QStringLiteral(" ОПЕРАЦИОННЫЕ РЕГИСТРЫ:"));
    for (int number = 0; number < RegisterCount; ++number) {
        d.setRegisterNumber(number);
        Check2(d.GetOperationReg());
        const Currency count = Currency(d.ContentsOfOperationRegister()) * 10000;
        FReport.Add(RegisterLine(number, d.NameOperationReg(), d.AmountToStr(count)));
    }
}

void TfmFullStatus::btnInterruptClick()
{
    FStopFlag = true;
}

void TfmFullStatus::btnSaveToFileClick()
{
    const QString fileName = Dialogs::SaveFileName(QStringLiteral("Сохранить"),
                                                   QStringLiteral("Текстовые файлы (*.txt);;") + Dialogs::AllFilesFilter(), {},
                                                   QStringLiteral("txt"));
    if (fileName.isEmpty())
        return;
    SaveTextFile(fileName, Memo->toPlainText());
}
