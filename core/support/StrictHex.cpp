#include "core/support/StrictHex.h"

#include "platform/Exceptions.h"

namespace {
bool Separator(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

int Digit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    return -1;
}
} // namespace

THexParse ParseHexStrict(const QString& Text)
{
    THexParse result;
    result.Bytes.reserve(Text.size() / 3 + 1);
    qsizetype i = 0;
    while (i < Text.size()) {
        if (Separator(Text[i])) {
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < Text.size() && !Separator(Text[end]))
            ++end;
        const int high = end - i == 2 ? Digit(Text[i]) : -1;
        const int low = end - i == 2 ? Digit(Text[i + 1]) : -1;
        if (high < 0 || low < 0) {
            result.Bytes.clear();
            result.Ok = false;
            result.ErrorPosition = int(i + 1);
            result.BadGroup = Text.mid(i, std::min<qsizetype>(end - i, 16));
            return result;
        }
        result.Bytes.append(char(high << 4 | low));
        i = end;
    }
    return result;
}

QByteArray HexToStrStrict(const QString& Text)
{
    THexParse parsed = ParseHexStrict(Text);
    if (!parsed.Ok)
        throw EConvertError(QStringLiteral("Неверные данные HEX в позиции %1: \"%2\". Ожидаются пары "
                                           "шестнадцатеричных цифр через пробел")
                                .arg(parsed.ErrorPosition)
                                .arg(parsed.BadGroup));
    return std::move(parsed.Bytes);
}
