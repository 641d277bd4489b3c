#include "core/support/Format.h"

#include "core/support/CodePage.h"
#include "platform/Exceptions.h"

#include <QLocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

FormatArg::FormatArg(const QByteArray& v) : FKind(Kind::String), FString(AnsiToWide(v)) {}

namespace {

std::optional<QChar>& separatorOverride()
{
    static std::optional<QChar> value;
    return value;
}

[[noreturn]] void invalidFormat(const QString& format)
{
    throw EConvertError(QStringLiteral("Format '%1' invalid or incompatible with argument").arg(format));
}

QString zeroPad(QString digits, int precision)
{
    if (precision > digits.size())
        digits.prepend(QString(precision - digits.size(), QLatin1Char('0')));
    return digits;
}

// Fixed-point text of |value| rounded half away from zero on its 15 significant
// digits, so 2.675 gives "2.68" as the user reads it, not the binary 2.67499...
QString fixedText(double value, int precision)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");

    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(value));
    // buf: d.dddddddddddddde[+-]xx
    std::vector<int> digits;
    const char* p = buf;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            digits.push_back(*p - '0');
    const int exponent = std::atoi(p + 1);
    int intDigits = exponent + 1; // digits before the point

    // Keep intDigits + precision digits, rounding on the next one.
    const int keep = intDigits + precision;
    if (keep < 0) {
        // Below half of the last place: zero with all its decimals.
        digits.assign(size_t(1 + precision), 0);
        intDigits = 1;
    } else {
        const bool roundUp = keep < int(digits.size()) && digits[keep] >= 5;
        digits.resize(keep, 0);
        if (roundUp) {
            int i = keep - 1;
            for (; i >= 0; --i) {
                if (++digits[i] < 10)
                    break;
                digits[i] = 0;
            }
            if (i < 0) {
                digits.insert(digits.begin(), 1);
                ++intDigits;
            }
        }
    }
    // Leading zeros when the value is below 1.
    if (intDigits <= 0) {
        digits.insert(digits.begin(), 1 - intDigits, 0);
        intDigits = 1;
    }

    bool allZero = true;
    QString text;
    for (int i = 0; i < int(digits.size()); ++i) {
        if (i == intDigits)
            text += DecimalSeparator();
        text += QChar(u'0' + digits[i]);
        allZero = allZero && digits[i] == 0;
    }
    if (value < 0 && !allZero)
        text.prepend(QLatin1Char('-'));
    return text;
}

} // namespace

QChar DecimalSeparator()
{
    if (separatorOverride())
        return *separatorOverride();
    const QString point = QLocale::system().decimalPoint();
    return point.isEmpty() ? QLatin1Char('.') : point.front();
}

void SetDecimalSeparator(QChar separator)
{
    separatorOverride() = separator;
}

QString Format(const QString& format, std::initializer_list<FormatArg> args)
{
    const std::vector<FormatArg> list(args);
    size_t next = 0;
    auto take = [&]() -> const FormatArg& {
        if (next >= list.size())
            invalidFormat(format);
        return list[next++];
    };
    auto takeInt = [&]() -> int64_t {
        const FormatArg& a = take();
        if (a.kind() != FormatArg::Kind::Int && a.kind() != FormatArg::Kind::Int64)
            invalidFormat(format);
        return a.intValue();
    };

    QString result;
    const int n = format.size();
    int i = 0;
    while (i < n) {
        const QChar c = format[i++];
        if (c != u'%') {
            result += c;
            continue;
        }
        if (i >= n)
            invalidFormat(format);
        if (format[i] == u'%') {
            result += u'%';
            ++i;
            continue;
        }

        auto readNumber = [&]() -> std::optional<int64_t> {
            if (i < n && format[i] == u'*') {
                ++i;
                return takeInt();
            }
            if (i >= n || !format[i].isDigit())
                return std::nullopt;
            int64_t v = 0;
            while (i < n && format[i].isDigit())
                v = std::min<int64_t>(v * 10 + format[i++].digitValue(), 1 << 20);
            return v;
        };

        // [index ":"]
        std::optional<int64_t> width = readNumber();
        if (width && i < n && format[i] == u':') {
            ++i;
            next = size_t(*width);
            width.reset();
        }
        bool left = false;
        if (!width && i < n && format[i] == u'-') {
            left = true;
            ++i;
        }
        if (!width)
            width = readNumber();
        if (width && *width < 0) {
            left = true;
            width = -*width;
        }
        std::optional<int64_t> precision;
        if (i < n && format[i] == u'.') {
            ++i;
            precision = readNumber().value_or(0);
        }
        if (i >= n)
            invalidFormat(format);
        const char16_t type = format[i++].toLower().unicode();

        QString text;
        const FormatArg& a = take();
        const bool isInt = a.kind() == FormatArg::Kind::Int || a.kind() == FormatArg::Kind::Int64;
        switch (type) {
        case u'd': {
            if (!isInt)
                invalidFormat(format);
            const int64_t v = a.intValue();
            const uint64_t magnitude = v < 0 ? uint64_t(0) - uint64_t(v) : uint64_t(v);
            text = zeroPad(QString::number(magnitude), int(precision.value_or(0)));
            if (v < 0)
                text.prepend(u'-');
            break;
        }
        case u'u':
        case u'x': {
            if (!isInt)
                invalidFormat(format);
            uint64_t v = uint64_t(a.intValue());
            if (a.kind() == FormatArg::Kind::Int)
                v = uint32_t(a.intValue());
            text = zeroPad(type == u'u' ? QString::number(v) : QString::number(v, 16).toUpper(),
                           int(precision.value_or(0)));
            break;
        }
        case u's':
            if (a.kind() != FormatArg::Kind::String)
                invalidFormat(format);
            text = a.stringValue();
            if (precision && *precision < text.size())
                text.truncate(int(*precision));
            break;
        case u'f':
            if (a.kind() == FormatArg::Kind::Double)
                text = fixedText(a.doubleValue(), int(std::min<int64_t>(precision.value_or(2), 18)));
            else
                invalidFormat(format);
            break;
        default:
            invalidFormat(format);
        }

        if (width && *width > text.size()) {
            const QString pad(int(*width - text.size()), u' ');
            text = left ? text + pad : pad + text;
        }
        result += text;
    }
    return result;
}

QString CurrToStr(int64_t value)
{
    QString text = QString::number(value / 10000);
    if (value < 0 && value / 10000 == 0)
        text.prepend(QLatin1Char('-'));
    QString fraction = QStringLiteral("%1").arg(std::llabs(value % 10000), 4, 10, QLatin1Char('0'));
    while (fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    return fraction.isEmpty() ? text : text + DecimalSeparator() + fraction;
}
