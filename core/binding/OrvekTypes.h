#pragma once
// Value types of the driver component and how they cross its boundary.
// At the boundary every value travels as a QVariant of one fixed type:
//   Integer, Enum  int        WideString  QString
//   WordBool       short -1/0 (any non-zero value read counts as true)
//   Currency       qlonglong, the amount × 10000
//   DateTime       double, days since 30 December 1899 plus the time of day
//   Double         double     Variant     as it is (integer, boolean or text)
#include <QDateTime>
#include <QString>
#include <QVariant>
#include <cstdint>

// An amount × 10000: the amount 0.01 is 100, the amount 1 is 10000.
using Currency = std::int64_t;
// Whole days since 30 December 1899 plus the time of day as a fraction of a day.
using TDateTime = double;

// The amount of a Currency value and back (rounded to the nearest 1/10000).
double CurrencyToDouble(Currency value);
Currency DoubleToCurrency(double amount);

// TDateTime and Qt's local date-time (milliseconds rounded).
QDateTime DateTimeToQDateTime(TDateTime value);
TDateTime QDateTimeToDateTime(const QDateTime& value);
TDateTime QDateToDateTime(const QDate& value);
// The time of day alone: its fraction of a day.
TDateTime QTimeToDateTime(const QTime& value);

enum class OrvekKind { Integer, WideString, WordBool, Currency, DateTime, Double, Enum, Variant };

const char* OrvekKindName(OrvekKind kind);

// The C++ type of each kind and its conversion at the boundary.
template <OrvekKind K> struct OrvekValue;

template <> struct OrvekValue<OrvekKind::Integer> {
    using Type = std::int32_t;
    static Type Read(const QVariant& v) { return v.toInt(); }
    static QVariant Write(Type v) { return QVariant(int(v)); }
};
template <> struct OrvekValue<OrvekKind::Enum> : OrvekValue<OrvekKind::Integer> {};
template <> struct OrvekValue<OrvekKind::WideString> {
    using Type = QString;
    static Type Read(const QVariant& v) { return v.toString(); }
    static QVariant Write(const Type& v) { return QVariant(v); }
};
template <> struct OrvekValue<OrvekKind::WordBool> {
    using Type = bool;
    static Type Read(const QVariant& v) { return v.toInt() != 0; }
    static QVariant Write(Type v) { return QVariant::fromValue<short>(v ? -1 : 0); }
};
template <> struct OrvekValue<OrvekKind::Currency> {
    using Type = Currency;
    static Type Read(const QVariant& v) { return v.toLongLong(); }
    static QVariant Write(Type v) { return QVariant(qlonglong(v)); }
};
template <> struct OrvekValue<OrvekKind::Double> {
    using Type = double;
    static Type Read(const QVariant& v) { return v.toDouble(); }
    static QVariant Write(Type v) { return QVariant(v); }
};
template <> struct OrvekValue<OrvekKind::DateTime> : OrvekValue<OrvekKind::Double> {};
template <> struct OrvekValue<OrvekKind::Variant> {
    using Type = QVariant;
    static Type Read(const QVariant& v) { return v; }
    static QVariant Write(const Type& v) { return v; }
};

// Turns a value into the boundary form of a kind (the component does this
// with what it is given). Returns false when the value cannot be converted.
bool CoerceToKind(OrvekKind kind, QVariant& value);
