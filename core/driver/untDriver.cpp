#include "core/driver/untDriver.h"

#include "core/binding/BusyRetry.h"
#include "core/settings/ResStrings.h"
#include "core/support/NotifyThread.h"
#include "core/support/BinUtils.h"
#include "core/support/CodePage.h"
#include "core/support/Format.h"
#include "platform/Exceptions.h"

#include <QRegularExpression>
#include <QScopeGuard>
#include <atomic>
#include <cmath>
#include <memory>

namespace {
std::unique_ptr<TDriver> FDriver;
std::atomic<int> FJobs{0};

// PrintText's tries of one piece while the register is busy.
constexpr TBusyRetry PrintBusyRetry{50, 5};

// A model parameter's value read as a decimal integer.
std::int32_t VariantToInt(const QVariant& value)
{
    QString text = value.typeId() == QMetaType::Bool ? (value.toBool() ? QStringLiteral("True") : QStringLiteral("False"))
                                                     : value.toString();
    bool ok = false;
    std::int32_t n = text.trimmed().toInt(&ok);
    if (!ok)
        throw EConvertError::NotInteger(text);
    return n;
}
} // namespace

TDriver::TDriver() = default;

TDriver::~TDriver() = default;

void TDriver::Check(std::int32_t ResultCode)
{
    if (ResultCode != 0)
        Abort();
}

void TDriver::Pause(int ms)
{
    ::Pause(ms);
}

// Device tables

std::int32_t TDriver::CorrectTableNumber(std::int32_t Number)
{
    if (Number != 18 && Number != 19)
        return Number;
    setModelParamNumber(Number == 18 ? 72 : 73);
    Check(ReadModelParamValue());
    return VariantToInt(ModelParamValue());
}

std::int32_t TDriver::ReadTableDef(std::int32_t Table, std::int32_t Row, std::int32_t Field, std::int32_t Default)
{
    setRowNumber(Row);
    setTableNumber(Table);
    setFieldNumber(Field);
    if (ReadTable() != 0)
        return Default;
    return ValueOfFieldInteger();
}

std::int32_t TDriver::ReadTableInt(std::int32_t Table, std::int32_t Row, std::int32_t Field)
{
    setRowNumber(Row);
    setTableNumber(CorrectTableNumber(Table));
    setFieldNumber(Field);
    Check(ReadTable());
    return ValueOfFieldInteger();
}

QByteArray TDriver::ReadTableStr(std::int32_t Table, std::int32_t Row, std::int32_t Field)
{
    setRowNumber(Row);
    setTableNumber(CorrectTableNumber(Table));
    setFieldNumber(Field);
    Check(ReadTable());
    return WideToAnsi(ValueOfFieldString());
}

void TDriver::WriteTableInt(std::int32_t Table, std::int32_t Row, std::int32_t Field, std::int32_t Value)
{
    setTableNumber(Table);
    setRowNumber(Row);
    setFieldNumber(Field);
    setValueOfFieldInteger(Value);
    Check(WriteTable());
}

// Model parameters

std::int32_t TDriver::ReadIntParam(std::int32_t Number)
{
    setModelParamNumber(Number);
    Check(ReadModelParamValue());
    return VariantToInt(ModelParamValue());
}

bool TDriver::ReadBoolParam(std::int32_t Number)
{
    setModelParamNumber(Number);
    Check(ReadModelParamValue());
    return ModelParamValue().toBool();
}

bool TDriver::IsModelType2()
{
    switch (GetModelID()) {
    case 16: case 19: case 20: case 21: case 27: case 28: case 29: case 30: case 32: case 33:
    case 34: case 35: case 36: case 38: case 39: case 40: case 41: case 42: case 45: case 46:
        return true;
    default:
        return false;
    }
}

#define TDRIVER_READ_Bool ReadBoolParam
#define TDRIVER_READ_Int ReadIntParam
#define TDRIVER_DEFINE_PARAM(Number, Name, Kind) \
    TDRIVER_PARAM_TYPE_##Kind TDriver::Name() { return TDRIVER_READ_##Kind(Number); }
TDRIVER_MODEL_PARAMS(TDRIVER_DEFINE_PARAM)
#undef TDRIVER_DEFINE_PARAM

// FN tags

void TDriver::SendTagValue(std::int32_t Tag, std::int32_t Type, OrvekProp ValueProp, const QVariant& Value,
                           std::int32_t (TOrvek::*Method)())
{
    setTagNumber(Tag);
    setTagType(Type);
    PutProperty(ValueProp, Value);
    Check((this->*Method)());
}

void TDriver::AddTagByte(std::int32_t Tag, std::uint8_t Value)
{
    SendTagValue(Tag, OrvekTagType::Byte, OrvekProp::TagValueInt, int(Value), &TOrvek::FNAddTag);
}

void TDriver::AddTagStr(std::int32_t Tag, const QString& Value)
{
    SendTagValue(Tag, OrvekTagType::String, OrvekProp::TagValueStr, Value, &TOrvek::FNAddTag);
}

void TDriver::AddTagUnixTime(std::int32_t Tag, TDateTime Value)
{
    SendTagValue(Tag, OrvekTagType::UnixTime, OrvekProp::TagValueDateTime, Value, &TOrvek::FNAddTag);
}

void TDriver::AddTagVLN(std::int32_t Tag, const QString& Value)
{
    SendTagValue(Tag, OrvekTagType::VLN, OrvekProp::TagValueVLN, Value, &TOrvek::FNAddTag);
}

void TDriver::SendTagStr(std::int32_t Tag, const QString& Value)
{
    SendTagValue(Tag, OrvekTagType::String, OrvekProp::TagValueStr, Value, &TOrvek::FNSendTag);
}

void TDriver::SendTagStrOperation(std::int32_t Tag, const QString& Value)
{
    SendTagValue(Tag, OrvekTagType::String, OrvekProp::TagValueStr, Value, &TOrvek::FNSendTagOperation);
}

void TDriver::SendTagUnixTime(std::int32_t Tag, TDateTime Value)
{
    SendTagValue(Tag, OrvekTagType::UnixTime, OrvekProp::TagValueDateTime, Value, &TOrvek::FNSendTag);
}

void TDriver::SendTagUnixTimeOperation(std::int32_t Tag, TDateTime Value)
{
    SendTagValue(Tag, OrvekTagType::UnixTime, OrvekProp::TagValueDateTime, Value, &TOrvek::FNSendTagOperation);
}

void TDriver::BeginSTLVTag(std::int32_t Tag)
{
    setTagNumber(Tag);
    Check(FNBeginSTLVTag());
}

void TDriver::SendSTLVTag(std::int32_t Tag)
{
    setTagNumber(Tag);
    Check(FNSendSTLVTag());
}

void TDriver::SendSTLVTagOperation(std::int32_t Tag)
{
    setTagNumber(Tag);
    Check(FNSendSTLVTagOperation());
}

// Amounts and printing

QString TDriver::AmountToStr(Currency Value)
{
    if (PointPosition())
        return Format(QStringLiteral("%.2f"), {CurrencyToDouble(Value)});
    return QString::number(Value / 10000);
}

std::int32_t TDriver::GetPrintStringWidth(std::int32_t Font)
{
    const std::int32_t password = Password();
    std::int32_t width = 40;
    // Password goes back on every path; not from a destructor, since the
    // write itself may raise (a component that went away) while another
    // exception is on its way.
    try {
        setPassword(SysAdminPassword());
        setFontType(Font);
        Check(GetFontMetrics());
        std::int32_t charWidth = CharWidth();
        if (charWidth != 0)
            width = std::int32_t(std::trunc(double(PrintWidth()) / double(charWidth)));
    } catch (...) {
        setPassword(password);
        throw;
    }
    setPassword(password);
    return width;
}

void TDriver::PrintText(const QString& Text, std::int32_t Font)
{
    if (Font == 0) {
        setStringForPrinting(Text);
        Check(PrintStringWithWrap());
        return;
    }
    std::int32_t width = GetPrintStringWidth(Font);
    static const QRegularExpression breaks(QStringLiteral("\r\n|\n|\r"));
    QStringList lines = Text.split(breaks);
    if (lines.last().isEmpty())
        lines.removeLast();  // nothing after the last break, or an empty text
    for (const QString& line : lines) {
        QString rest = line;
        do {
            // A width of 0 (PrintWidth below CharWidth) prints the line whole.
            QString piece = width > 0 ? rest.left(width) : rest;
            setStringForPrinting(piece);
            Check(CallWhileBusy(PrintBusyRetry, [&] {
                setFontType(Font);
                return PrintStringWithFont();
            }));
            rest = rest.mid(piece.size());
        } while (!rest.isEmpty());
    }
}

// Raw commands

std::int32_t TDriver::SendCommand(const QByteArray& Bytes)
{
    setBinaryConversion(1);
    setTransferBytes(BytesToHex(Bytes));
    return ExchangeBytes();
}

std::int32_t TDriver::SendCommand(const QByteArray& Bytes, QByteArray& Answer)
{
    std::int32_t code = SendCommand(Bytes);
    Answer = HexToBytes(TransferBytes());
    return code;
}

// The driver object

TDriver& Driver()
{
    if (!FDriver) {
        try {
            FDriver = std::make_unique<TDriver>();
        } catch (Exception& e) {
            e.SetMessage(QStringLiteral("Ошибка создания объекта драйвера: ") + e.Message());
            throw;
        }
    }
    return *FDriver;
}

bool DriverExists()
{
    return FDriver != nullptr;
}

void FreeDriver()
{
    if (FJobs.load() > 0)
        throw Exception(GetRes("Драйвер занят: выполняется операция с устройством. "
                               "Дождитесь её окончания или прервите её, затем удалите драйвер."));
    FDriver.reset();
}

TDriverJob::TDriverJob()
{
    ++FJobs;
}

TDriverJob::~TDriverJob()
{
    --FJobs;
}

int TDriverJob::Count()
{
    return FJobs.load();
}

void ResumeDriverJob(TNotifyThread& Worker)
{
    // The job lives in the end handler: released when that has run, or with
    // the worker when it is freed first.
    auto job = std::make_shared<TDriverJob>();
    Worker.SetOnTerminate([job, handler = Worker.OnTerminate()](TNotifyThread* Sender) mutable {
        const auto release = qScopeGuard([&job] { job.reset(); });
        if (handler)
            handler(Sender);
    });
    Worker.Resume();
}
