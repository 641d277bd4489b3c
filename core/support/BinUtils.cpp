#include "core/support/BinUtils.h"

#include <cmath>

QString StrToHex(const QByteArray& data)
{
    return QString::fromLatin1(data.toHex(' ').toUpper());
}

namespace {

bool isHexDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// Reads a group of one or two hex digits; false when it is not hex.
bool readGroup(const QString& group, QByteArray& result)
{
    for (QChar c : group)
        if (!isHexDigit(c))
            return false;
    result.append(char(group.toUInt(nullptr, 16) & 0xFF));
    return true;
}

// Blanks and control characters at both ends go away.
QString trimmed(const QString& s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && s[b].unicode() <= u' ')
        ++b;
    while (e > b && s[e - 1].unicode() <= u' ')
        --e;
    return s.mid(b, e - b);
}

} // namespace

QByteArray HexToStr(const QString& text)
{
    QByteArray result;
    QString group;
    for (QChar c : text) {
        group = trimmed(group + c);
        if (!group.isEmpty() && (group.size() == 2 || c == u' ')) {
            if (!readGroup(group, result))
                return result;
            group.clear();
        }
    }
    if (!group.isEmpty())
        readGroup(group, result);
    return result;
}

QByteArray IntToBin(int64_t value, int count)
{
    QByteArray result;
    if (count < 1 || count > 8)
        return result;
    for (int i = 0; i < count; ++i)
        result.append(char((uint64_t(value) >> (8 * i)) & 0xFF));
    return result;
}

int64_t BinToInt(const QByteArray& data, int position, int count)
{
    if (position < 1 || position > data.size() || count > 8 || count > data.size() - position + 1)
        return 0;
    uint64_t value = 0;
    for (int i = 0; i < count; ++i)
        value |= uint64_t(uint8_t(data[position - 1 + i])) << (8 * i);
    return int64_t(value);
}

QString Int64ToStr(int64_t value)
{
    return QString::number(value);
}

int Min(int a, int b)
{
    return a < b ? a : b;
}

void SetBit(uint8_t& value, int bit)
{
    if (bit >= 0 && bit < 8)
        value = uint8_t(value | (1u << bit));
}

bool TestBit(uint32_t value, int bit)
{
    return (value >> (unsigned(bit) % 32)) & 1u;
}

double ExRound(double value, double step)
{
    if (value >= 0) {
        const double c = std::trunc((value + 0.00001) / step);
        const int e = std::fabs(value / step - c) > 0.49999 ? 1 : 0;
        return (c + e) * step;
    }
    const double c = std::trunc((value - 0.00001) / step);
    const int e = std::fabs(value / step - c) > 0.49999 ? 1 : 0;
    return (c - e) * step;
}
