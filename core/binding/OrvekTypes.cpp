#include "core/binding/OrvekTypes.h"

#include <cmath>

namespace {
const QDate& Epoch()
{
    static const QDate epoch(1899, 12, 30);
    return epoch;
}
constexpr double MsPerDay = 86400000.0;
} // namespace

double CurrencyToDouble(Currency value)
{
    return double(value) / 10000.0;
}

Currency DoubleToCurrency(double amount)
{
    return Currency(std::llround(amount * 10000.0));
}

QDateTime DateTimeToQDateTime(TDateTime value)
{
    // The whole part is the date, the fraction (taken as positive) the time.
    double days = std::trunc(value);
    qint64 ms = std::llround(std::fabs(value - days) * MsPerDay);
    QDate date = Epoch().addDays(qint64(days));
    if (ms >= qint64(MsPerDay)) {
        date = date.addDays(1);
        ms -= qint64(MsPerDay);
    }
    return QDateTime(date, QTime::fromMSecsSinceStartOfDay(int(ms)));
}

TDateTime QDateToDateTime(const QDate& value)
{
    return double(Epoch().daysTo(value));
}

TDateTime QTimeToDateTime(const QTime& value)
{
    return value.msecsSinceStartOfDay() / MsPerDay;
}

TDateTime QDateTimeToDateTime(const QDateTime& value)
{
    double days = QDateToDateTime(value.date());
    double frac = QTimeToDateTime(value.time());
    return days < 0 ? days - frac : days + frac;
}

const char* OrvekKindName(OrvekKind kind)
{
    switch (kind) {
    case OrvekKind::Integer: return "Integer";
    case OrvekKind::WideString: return "WideString";
    case OrvekKind::WordBool: return "WordBool";
    case OrvekKind::Currency: return "Currency";
    case OrvekKind::DateTime: return "DateTime";
    case OrvekKind::Double: return "Double";
    case OrvekKind::Enum: return "Enum";
    case OrvekKind::Variant: return "Variant";
    }
    return "?";
}

namespace {
// The boundary form of each kind (Variant takes anything).
int BoundaryType(OrvekKind kind)
{
    switch (kind) {
    case OrvekKind::Integer:
    case OrvekKind::Enum: return QMetaType::Int;
    case OrvekKind::WideString: return QMetaType::QString;
    case OrvekKind::WordBool: return QMetaType::Short;
    case OrvekKind::Currency: return QMetaType::LongLong;
    case OrvekKind::DateTime:
    case OrvekKind::Double: return QMetaType::Double;
    case OrvekKind::Variant: break;
    }
    return QMetaType::UnknownType;
}
} // namespace

bool CoerceToKind(OrvekKind kind, QVariant& value)
{
    int type = value.typeId();
    if (type == BoundaryType(kind) && (kind != OrvekKind::WordBool || value.toInt() == 0 || value.toInt() == -1))
        return true;
    bool ok = true;
    switch (kind) {
    case OrvekKind::Integer:
    case OrvekKind::Enum:
        if (value.typeId() == QMetaType::Bool)
            value = QVariant(value.toBool() ? -1 : 0);
        else
            value = QVariant(value.toInt(&ok));
        break;
    case OrvekKind::WideString:
        if (!value.canConvert<QString>())
            return false;
        value = QVariant(value.toString());
        break;
    case OrvekKind::WordBool: {
        bool b = value.typeId() == QMetaType::Bool ? value.toBool() : value.toLongLong(&ok) != 0;
        value = QVariant::fromValue<short>(b ? -1 : 0);
        break;
    }
    case OrvekKind::Currency:
        value = QVariant(value.toLongLong(&ok));
        break;
    case OrvekKind::DateTime:
    case OrvekKind::Double:
        value = QVariant(value.toDouble(&ok));
        break;
    case OrvekKind::Variant:
        break;
    }
    return ok;
}
