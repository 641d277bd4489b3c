#include "core/support/SysUtils.h"

#include "platform/Exceptions.h"

#include <QLocale>
#include <cmath>

int32_t StrToInt(const QString& text)
{
    bool ok = false;
    int32_t value = text.trimmed().toInt(&ok, 10);
    if (!ok)
        throw EConvertError::NotInteger(text);
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
