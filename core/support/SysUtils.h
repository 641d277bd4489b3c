#pragma once
// The run-time conversions the pages rely on: strict integer reading and the
// date-time text of the program's date and time format ("dd.MM.yyyy",
// "hh:mm:ss").
#include <QDateTime>
#include <QString>
#include <cstdint>

// A decimal 32-bit integer with an optional sign; blanks around it are
// allowed. Anything else ("1.5", "", "12a", a number out of range) raises
// EConvertError::NotInteger.
int32_t StrToInt(const QString& text);
// The same for a 64-bit integer.
int64_t StrToInt64(const QString& text);
// A decimal integer of the named field from Min to Max: a text that is no
// integer raises EConvertError::NotInteger; a number outside the range (also
// one with more digits than 64 bits hold) raises an Exception
// "Значение поля "<field>" должно быть от <Min> до <Max>".
int64_t StrToIntRange(const QString& text, const QString& field, int64_t min, int64_t max);

// A floating-point number with the user's decimal separator, an optional
// sign and exponent; blanks around it are allowed, group separators are
// not. Anything else raises
// EConvertError::NotNumber.
double StrToFloat(const QString& text);

// The date, followed by a blank and the time unless the time is exactly
// midnight (milliseconds are not shown): "15.01.2024 10:30:05", "15.01.2024".
QString DateTimeToStr(const QDateTime& value);
// The date alone ("15.01.2024") and the time alone ("10:30:05").
QString DateToStr(const QDate& value);
QString TimeToStr(const QTime& value);
