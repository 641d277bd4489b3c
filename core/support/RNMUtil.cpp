#include "core/support/RNMUtil.h"

#include "core/support/StringUtils.h"

#include <array>

namespace {

QString rnmOf(const QByteArray& head, const QByteArray& padded)
{
    return QString::fromLatin1(head) + AddLeadingZeros(QString::number(CRCCITT16(padded)), 6);
}

// Zeros in front up to the width; a longer text stays whole.
QByteArray padKeepingLong(const QString& text, int width)
{
    QByteArray bytes;
    for (QChar c : text)
        bytes.append(char(c.unicode() & 0xFF));
    if (bytes.size() < width)
        bytes.prepend(QByteArray(width - bytes.size(), '0'));
    return bytes;
}

QByteArray padCutting(const QByteArray& text, int width)
{
    if (text.size() >= width)
        return text.left(width);
    return QByteArray(width - text.size(), '0') + text;
}

} // namespace

uint16_t CRCCITT16(const QByteArray& Data, uint32_t Polynomial, uint32_t Init)
{
    // A byte at a time for the usual polynomial (notification archives run to megabytes).
    static constexpr uint32_t CCITT = 0x1021;
    static constexpr auto table = [] {
        std::array<uint16_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n << 8;
            for (int i = 0; i < 8; ++i)
                c = (c & 0x8000) ? (c << 1) ^ CCITT : c << 1;
            t[n] = uint16_t(c);
        }
        return t;
    }();
    if (Polynomial == CCITT) {
        uint16_t crc = uint16_t(Init);
        for (char b : Data)
            crc = uint16_t(crc << 8) ^ table[((crc >> 8) ^ uint8_t(b)) & 0xFF];
        return crc;
    }
    uint32_t crc = Init;
    for (char b : Data) {
        crc ^= uint32_t(uint8_t(b)) << 8;
        for (int i = 0; i < 8; ++i)
            crc = (crc & 0x8000) ? (crc << 1) ^ Polynomial : crc << 1;
    }
    return uint16_t(crc & 0xFFFF);
}

QString GenerateRNM(const QByteArray& Number, const QByteArray& INN, const QByteArray& Serial)
{
    const QByteArray head = padCutting(Number, 10);
    return rnmOf(head, head + padCutting(INN, 12) + padCutting(Serial, 20));
}

QString GenerateRNM(const QString& Head, const QString& INN, const QString& Serial)
{
    const QByteArray head = padKeepingLong(Head, 10);
    return rnmOf(head, head + padKeepingLong(INN, 12) + padKeepingLong(Serial, 20));
}

bool CheckRNM(const QString& RNM, const QString& INN, const QString& Serial)
{
    return RNM == GenerateRNM(RNM.left(10), INN, Serial);
}
