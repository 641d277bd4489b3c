#include "core/support/StrictHex.h"

#include "platform/Exceptions.h"

namespace {
bool Blank(QChar c)
{
    return c.unicode() <= u' ';
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
    result.Bytes.reserve(Text.size() / 2 + 1);
    QString group;
    qsizetype start = 0;
    // The group read as a byte; false (and the text refused) when it is no hex number.
    const auto take = [&] {
        int value = 0;
        for (QChar c : group) {
            const int digit = Digit(c);
            if (digit < 0) {
                result = THexParse{{}, false, int(start + 1), group};
                return false;
            }
            value = value << 4 | digit;
        }
        result.Bytes.append(char(value));
        group.clear();
        return true;
    };
    for (qsizetype i = 0; i < Text.size(); ++i) {
        const QChar c = Text[i];
        // Blanks and control characters never stay in a group.
        if (!Blank(c)) {
            if (group.isEmpty())
                start = i;
            group += c;
        }
        if (!group.isEmpty() && (group.size() == 2 || c == QLatin1Char(' ')) && !take())
            return result;
    }
    if (!group.isEmpty())
        take();
    return result;
}

QByteArray HexToStrStrict(const QString& Text)
{
    THexParse parsed = ParseHexStrict(Text);
    if (!parsed.Ok)
        throw EConvertError(QStringLiteral("Неверные данные HEX в позиции %1: \"%2\". Ожидаются "
                                           "шестнадцатеричные цифры")
                                .arg(parsed.ErrorPosition)
                                .arg(parsed.BadGroup));
    return std::move(parsed.Bytes);
}
