#include "core/support/untUtil.h"

#include "core/support/CodePage.h"
#include "core/support/untTypes.h"
#include "platform/Exceptions.h"

#include <array>
#include <charconv>
#include <cmath>
#include <QRegularExpression>

namespace {

const QString InvalidValue = QStringLiteral("Некорректное значение в поле");
constexpr double MaxAmount = 10995116277.0;
// The least currency value (-2^63): the amount x 10000.
constexpr double MinCurrency = -9223372036854775808.0;

// A plain decimal number: sign, digits with an optional point, exponent.
// No "inf", "nan" or hex floats.
bool parseAmount(const QString& text, double& value)
{
    static const QRegularExpression number(QStringLiteral(R"(^[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?$)"));
    if (!number.match(text).hasMatch())
        return false;
    QByteArray ascii = text.toLatin1();
    if (ascii.startsWith('+'))
        ascii.remove(0, 1);
    const auto [end, ec] = std::from_chars(ascii.constData(), ascii.constData() + ascii.size(), value);
    return ec == std::errc() && end == ascii.constData() + ascii.size();
}

} // namespace

int64_t GetSumm(const QString& text, const QString& fieldName)
{
    QString s = text;
    s.replace(u',', u'.');
    s.remove(u' ');
    double value = 0;
    // Negative amounts are bounded only by what a currency value holds.
    const double scaled = parseAmount(s, value) ? ExRound(value, 0.01) * 10000 : NAN;
    if (!(value <= MaxAmount && scaled >= MinCurrency))
        throw Exception(InvalidValue + "\r\n\"" + fieldName + "\"");
    return std::llrint(scaled);
}

void CheckIntStr(const QString& text, const QString& fieldName)
{
    if (text.size() > 1024)
        throw Exception(InvalidValue + " \"" + fieldName + "\"");
}

QString StrToHex(const QByteArray& data, bool withBlanks)
{
    QString result;
    for (char b : data) {
        result += QString::asprintf("%02X", unsigned(uint8_t(b)));
        if (withBlanks)
            result += u' ';
    }
    return result;
}

QString GetBitStr(uint32_t value, int bit)
{
    return BoolToYesNo(TestBit(value, bit));
}

QString GetINN(const QString& text)
{
    return text.isEmpty() ? QStringLiteral("не задан") : text;
}

QString GetRNM(const QString& text)
{
    return GetINN(text);
}

QString GetSerialNumber(const QString& text)
{
    return text.isEmpty() ? QStringLiteral("не введен") : text;
}

char Char866To1251(char c)
{
    static const std::array<char, 256> table = [] {
        std::array<char, 256> t{};
        for (int b = 0; b < 256; ++b)
            t[b] = WideCharToAnsi(OemToWide(QByteArray(1, char(b)))[0]);
        return t;
    }();
    return table[uint8_t(c)];
}

QByteArray Str866To1251(const QByteArray& text)
{
    QByteArray result(text);
    for (char& c : result)
        c = Char866To1251(c);
    return result;
}

uint16_t DecodeTCPPort(uint8_t code)
{
    return uint16_t(((code >> 4) << 12) | 0x30 | (code & 0x0F));
}

uint8_t EncodeTCPPort(uint16_t port)
{
    return uint8_t(((port >> 12) << 4) | (port & 0x0F));
}
