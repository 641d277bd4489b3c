#include "core/support/SysUtils.h"

#include "platform/Exceptions.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

int32_t StrToInt(const QString& text)
{
    bool ok = false;
    int32_t value = text.trimmed().toInt(&ok, 10);
    if (!ok)
        throw EConvertError::NotInteger(text);
    return value;
}

int64_t StrToInt64(const QString& text)
{
    bool ok = false;
    const int64_t value = text.trimmed().toLongLong(&ok, 10);
    if (!ok)
        throw EConvertError::NotInteger(text);
    return value;
}

int64_t StrToIntRange(const QString& text, const QString& field, int64_t min, int64_t max)
{
    const QString plain = text.trimmed();
    bool ok = false;
    const int64_t value = plain.toLongLong(&ok, 10);
    if (!ok) {
        // Digits beyond the 64-bit range are still a number, only out of range.
        const qsizetype signs = plain.startsWith(QLatin1Char('-')) || plain.startsWith(QLatin1Char('+')) ? 1 : 0;
        const bool digits = plain.size() > signs
                         && std::all_of(plain.begin() + signs, plain.end(),
                                        [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
        if (!digits)
            throw EConvertError::NotInteger(text);
    }
    if (!ok || value < min || value > max)
        throw Exception(QStringLiteral("Значение поля \"%1\" должно быть от %2 до %3").arg(field).arg(min).arg(max));
    return value;
}

double StrToFloat(const QString& text)
{
    const QString separator = QLocale::system().decimalPoint();
    QString plain = text.trimmed();
    bool ok = !plain.isEmpty() && (separator == QLatin1String(".") || !plain.contains(QLatin1Char('.')));
    plain.replace(separator, QLatin1String("."));
    double value = ok ? plain.toDouble(&ok) : 0;
    if (!ok || !std::isfinite(value))
        throw EConvertError::NotNumber(text);
    return value;
}

QString DateToStr(const QDate& value)
{
    return value.toString(QStringLiteral("dd.MM.yyyy"));
}

QString TimeToStr(const QTime& value)
{
    return value.toString(QStringLiteral("hh:mm:ss"));
}

QString DateTimeToStr(const QDateTime& value)
{
    QString text = DateToStr(value.date());
    QTime time = value.time();
    if (time.hour() != 0 || time.minute() != 0 || time.second() != 0)
        text += QLatin1Char(' ') + TimeToStr(time);
    return text;
}
