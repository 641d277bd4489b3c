#include "emulator/FirmwareImage.h"

namespace {
const QByteArray Magic = QByteArrayLiteral("LQFW");
constexpr char FormatVersion = 1;
constexpr int VersionSize = 8;
constexpr int HeaderSize = 26;

quint16 Crc(const QByteArray& bytes)
{
    return qChecksum(QByteArrayView(bytes));
}

void AppendLE16(QByteArray& out, quint16 value)
{
    out.append(char(value & 0xFF)).append(char(value >> 8));
}

// The little-endian number of `size` bytes at `at` (the caller checked the length).
quint32 LE(const QByteArray& bytes, int at, int size)
{
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | quint8(bytes.at(at + i));
    return value;
}
} // namespace

bool FirmwareImage::ChecksumMatches() const
{
    return Crc(Program) == Checksum;
}

QByteArray BuildFirmwareImage(const FirmwareImage& image)
{
    QByteArray out = Magic;
    out.append(FormatVersion);
    AppendLE16(out, quint16(image.ModelId));
    out.append(image.Version.toLatin1().leftJustified(VersionSize, '\0', true));
    AppendLE16(out, quint16(image.Build));
    const QDate date = image.Date.isValid() ? image.Date : QDate(2000, 1, 1);
    out.append(char(date.day())).append(char(date.month())).append(char(date.year() - 2000));
    const quint32 size = quint32(image.Program.size());
    for (int i = 0; i < 4; ++i)
        out.append(char((size >> (8 * i)) & 0xFF));
    AppendLE16(out, Crc(image.Program));
    out.append(image.Program);
    return out;
}

bool ReadFirmwareImage(const QByteArray& bytes, FirmwareImage& image, QString& error)
{
    image = {};
    if (bytes.size() < HeaderSize || !bytes.startsWith(Magic)) {
        error = QStringLiteral("Файл не является образом прошивки");
        return false;
    }
    if (bytes[4] != FormatVersion) {
        error = QStringLiteral("Неизвестный формат образа прошивки: %1").arg(int(quint8(bytes[4])));
        return false;
    }
    const QByteArray version = bytes.mid(7, VersionSize);
    const qsizetype end = version.indexOf('\0');
    const QByteArray text = end < 0 ? version : version.left(end);
    for (char c : text)
        if (quint8(c) < 0x20 || quint8(c) > 0x7E) {
            error = QStringLiteral("Неверная версия в образе прошивки");
            return false;
        }
    const QDate date(2000 + quint8(bytes[19]), quint8(bytes[18]), quint8(bytes[17]));
    if (!date.isValid()) {
        error = QStringLiteral("Неверная дата в образе прошивки");
        return false;
    }
    const quint32 size = LE(bytes, 20, 4);
    if (quint64(size) != quint64(bytes.size() - HeaderSize)) {
        error = QStringLiteral("Размер программы не совпадает с размером файла");
        return false;
    }
    image.ModelId = int(LE(bytes, 5, 2));
    image.Version = QString::fromLatin1(text);
    image.Build = int(LE(bytes, 15, 2));
    image.Date = date;
    image.Checksum = quint16(LE(bytes, 24, 2));
    image.Program = bytes.mid(HeaderSize);
    return true;
}
