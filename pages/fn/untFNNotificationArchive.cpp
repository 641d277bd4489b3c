#include "pages/fn/untFNNotificationArchive.h"

#include "core/support/BinUtils.h"
#include "core/support/CodePage.h"
#include "pages/fn/NotificationReader.h"
#include "platform/AtomicFile.h"
#include "platform/Exceptions.h"

#include <QFile>
#include <array>

namespace {
constexpr int TitleWidth = 66;
constexpr int ProgNameOffset = 66;
constexpr int ProgNameWidth = 256;
constexpr int RNMOffset = 322;
constexpr int RNMWidth = 20;
constexpr int SerialOffset = 342;
constexpr int SerialWidth = 16;
constexpr int FFDOffset = 358;
constexpr int FirstOffset = 359;
constexpr int LastOffset = 363;
constexpr int CountOffset = 367;
// A record: tag and length (2 bytes each), then the data.
constexpr int RecordHeaderSize = 4;
constexpr int RecordTag = 201;
// The data holds its CRC in bytes 3 and 4.
constexpr int SmallestData = 4;

// The reflected CRC-32 tables of polynomial 0xEDB88320, eight bytes a step:
// Tables[0] is zlib's table, Tables[k] takes a byte k places further on.
using TCRCTables = std::array<std::array<std::uint32_t, 256>, 8>;
constexpr TCRCTables CRCTables = [] {
    TCRCTables t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        t[0][n] = c;
    }
    for (std::uint32_t n = 0; n < 256; ++n)
        for (int k = 1; k < 8; ++k)
            t[k][n] = (t[k - 1][n] >> 8) ^ t[0][t[k - 1][n] & 0xFF];
    return t;
}();

std::uint32_t UpdateCRC(std::uint32_t crc, const char* data, qsizetype size)
{
    const auto* p = reinterpret_cast<const std::uint8_t*>(data);
    const auto& t = CRCTables;
    for (; size >= 8; size -= 8, p += 8) {
        const std::uint32_t low = crc ^ (std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
                                         std::uint32_t(p[3]) << 24);
        crc = t[7][low & 0xFF] ^ t[6][(low >> 8) & 0xFF] ^ t[5][(low >> 16) & 0xFF] ^ t[4][low >> 24] ^
              t[3][p[4]] ^ t[2][p[5]] ^ t[1][p[6]] ^ t[0][p[7]];
    }
    for (; size > 0; --size, ++p)
        crc = (crc >> 8) ^ t[0][(crc ^ *p) & 0xFF];
    return crc;
}

void AppendInt(QByteArray& data, std::int64_t value, int size)
{
    data += IntToBin(value, size);
}

std::int32_t ReadInt32(const QByteArray& data, int offset)
{
    return std::int32_t(std::uint32_t(BinToInt(data, offset + 1, 4)));
}

int ReadWord(const QByteArray& data, qsizetype offset)
{
    return std::uint8_t(data[offset]) | std::uint8_t(data[offset + 1]) << 8;
}

// The field without the blanks that fill it up.
QByteArray Field(const QByteArray& data, int offset, int width)
{
    QByteArray field = data.mid(offset, width);
    while (field.endsWith(' '))
        field.chop(1);
    return field;
}

QString Hex32(std::uint32_t value)
{
    return QStringLiteral("%1").arg(value, 8, 16, QLatin1Char('0')).toUpper();
}

[[noreturn]] void Malformed(const QString& what)
{
    throw Exception(QStringLiteral("Notification archive: ") + what);
}

struct Record {
    qsizetype Offset = 0;
    QByteArray Data;
};
} // namespace

TFNNotificationArchive::TFNNotificationArchive(const QString& ProgName, const QByteArray& RNM,
                                               const QByteArray& FNSerial, std::uint32_t FFDVersion)
    : FProgName(ProgName), FRNM(RNM), FFNSerial(FNSerial), FFFDVersion(FFDVersion)
{
}

void TFNNotificationArchive::Add(std::int32_t Number, const QByteArray& Data)
{
    auto* item = new TNotification(&FNotifications);
    item->FNumber = Number;
    item->FData = Data;
    if (item->GetCRC() != item->StoredCRC())
        throw Exception(QStringLiteral("Notification %1: Invalid CRC").arg(Number));
}

QByteArray TFNNotificationArchive::AddFinalSpaces(const QByteArray& Text, int Width)
{
    if (Text.size() >= Width)
        return Text.left(Width);
    return Text + QByteArray(Width - Text.size(), ' ');
}

QByteArray TFNNotificationArchive::AnsiToOem(const QString& Text)
{
    return WideToOem(Text);
}

std::uint32_t TFNNotificationArchive::FileCRC(const QByteArray& Data)
{
    const char zero = 0;
    std::uint32_t crc = UpdateCRC(0xFFFFFFFFu, Data.constData(), std::min<qsizetype>(Data.size(), CountOffset + 3));
    if (Data.size() > CRCOffset + 3) {
        crc = UpdateCRC(crc, &zero, 1);
        crc = UpdateCRC(crc, Data.constData() + HeaderSize, Data.size() - HeaderSize);
    }
    return ~crc;
}

QByteArray TFNNotificationArchive::FileData() const
{
    const int count = FNotifications.GetCount();
    qsizetype size = HeaderSize;
    for (int i = 0; i < count; ++i)
        size += RecordHeaderSize + FNotifications.GetItem(i)->FData.size();
    QByteArray data;
    data.reserve(size);
    data += AddFinalSpaces(AnsiToOem(Title), TitleWidth);
    data += AddFinalSpaces(AnsiToOem(FProgName), ProgNameWidth);
    data += AddFinalSpaces(FRNM, RNMWidth);
    data += AddFinalSpaces(FFNSerial, SerialWidth);
    data += char(FFFDVersion & 0xFF);
    AppendInt(data, count > 0 ? FNotifications.GetItem(0)->FNumber : 0, 4);
    AppendInt(data, count > 0 ? FNotifications.GetItem(count - 1)->FNumber : 0, 4);
    AppendInt(data, count, 4);
    AppendInt(data, 0, 4);
    for (int i = 0; i < count; ++i)
        data += FNotifications.GetItem(i)->GetData();
    const QByteArray crc = IntToBin(FileCRC(data), 4);
    data.replace(CRCOffset, 4, crc);
    return data;
}

void TFNNotificationArchive::SaveToFile(const QString& FileName) const
{
    if (FNotifications.GetCount() == 0)
        throw Exception(QStringLiteral("Нет ни одного уведомления"));
    const QByteArray data = FileData();
    const QString error = WriteFileAtomically(FileName, data);
    if (!error.isEmpty())
        throw Exception(QStringLiteral("Cannot create file \"%1\". %2").arg(FileName, error));
}

void TFNNotificationArchive::LoadFromFile(const QString& FileName)
{
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly))
        throw Exception(QStringLiteral("Cannot open file \"%1\". %2").arg(FileName, file.errorString()));
    LoadFromData(file.readAll());
}

void TFNNotificationArchive::LoadFromData(const QByteArray& Data)
{
    if (Data.size() < HeaderSize)
        Malformed(QStringLiteral("the file is %1 bytes long, shorter than its header (%2 bytes)")
                      .arg(Data.size())
                      .arg(HeaderSize));
    if (Data.left(TitleWidth) != AddFinalSpaces(AnsiToOem(Title), TitleWidth))
        Malformed(QStringLiteral("offset 0: the title is not \"%1\"").arg(Title));
    const std::int32_t count = ReadInt32(Data, CountOffset);
    if (count < 1)
        Malformed(QStringLiteral("offset %1: count %2, at least 1 expected").arg(CountOffset).arg(count));

    std::vector<Record> records;
    for (qsizetype at = HeaderSize; at < Data.size();) {
        const int index = int(records.size()) + 1;
        const QString where = QStringLiteral("record %1 at offset %2: ").arg(index).arg(at);
        if (Data.size() - at < RecordHeaderSize)
            Malformed(where + QStringLiteral("%1 bytes left, its tag and length need %2")
                                  .arg(Data.size() - at)
                                  .arg(RecordHeaderSize));
        const int tag = ReadWord(Data, at);
        if (tag != RecordTag)
            Malformed(where + QStringLiteral("tag %1, %2 expected").arg(tag).arg(RecordTag));
        const int length = ReadWord(Data, at + 2);
        if (length > Data.size() - at - RecordHeaderSize)
            Malformed(where + QStringLiteral("length %1 runs past the end of the file (%2 bytes)")
                                  .arg(length)
                                  .arg(Data.size()));
        if (length < SmallestData)
            Malformed(where + QStringLiteral("length %1, a notification has at least %2 bytes")
                                  .arg(length)
                                  .arg(SmallestData));
        records.push_back({at, Data.mid(at + RecordHeaderSize, length)});
        at += RecordHeaderSize + length;
    }
    if (qsizetype(count) != qsizetype(records.size()))
        Malformed(QStringLiteral("offset %1: count %2, but the file holds %3 records")
                      .arg(CountOffset)
                      .arg(count)
                      .arg(records.size()));
    const std::int32_t first = ReadInt32(Data, FirstOffset);
    const std::int32_t last = ReadInt32(Data, LastOffset);
    if (std::int64_t(last) - first < std::int64_t(count) - 1 || (count == 1 && first != last))
        Malformed(QStringLiteral("offset %1: first number %2 and last number %3 do not fit %4 notifications")
                      .arg(FirstOffset)
                      .arg(first)
                      .arg(last)
                      .arg(count));
    const std::uint32_t stored = std::uint32_t(BinToInt(Data, CRCOffset + 1, 4));
    const std::uint32_t computed = FileCRC(Data);
    if (stored != computed)
        Malformed(QStringLiteral("offset %1: CRC-32 %2, the file's is %3")
                      .arg(CRCOffset)
                      .arg(Hex32(stored), Hex32(computed)));
    // Records carry no numbers: the first and last are the header's, the
    // ones between follow the first.
    auto numberOf = [&](std::size_t i) { return i + 1 == records.size() ? last : std::int32_t(first + std::int64_t(i)); };
    for (std::size_t i = 0; i < records.size(); ++i) {
        const QByteArray& data = records[i].Data;
        if (NotificationCRC(data) != std::uint16_t(BinToInt(data, 3, 2)))
            Malformed(QStringLiteral("record %1 at offset %2 (notification %3): Invalid CRC")
                          .arg(i + 1)
                          .arg(records[i].Offset)
                          .arg(numberOf(i)));
    }

    FNotifications.Clear();
    FProgName = OemToWide(Field(Data, ProgNameOffset, ProgNameWidth));
    FRNM = Field(Data, RNMOffset, RNMWidth);
    FFNSerial = Field(Data, SerialOffset, SerialWidth);
    FFFDVersion = std::uint8_t(Data[FFDOffset]);
    for (std::size_t i = 0; i < records.size(); ++i) {
        auto* item = new TNotification(&FNotifications);
        item->FNumber = numberOf(i);
        item->FData = records[i].Data;
    }
}
