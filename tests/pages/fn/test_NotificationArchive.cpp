// Notification records and the notification archive file: the record form,
// the golden layout with its CRC-32 (checked against zlib's), the CRC check
// of Add, saving through a temporary file, and the reader with its errors;
// the reader's fuzz entry over a seeded corpus.
#include "pages/fn/untFNNotificationArchive.h"

#include "core/support/CodePage.h"
#include "core/support/RNMUtil.h"
#include "platform/Exceptions.h"
#include "tests/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <csignal>
#include <random>
#include <sys/resource.h>
#include <zlib.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {
// A notification of Size bytes with its CRC in bytes 3 and 4.
QByteArray Notification(int size, char fill)
{
    QByteArray data(size, fill);
    data[0] = 1;
    const std::uint16_t crc = CRCCITT16(data.left(2) + data.mid(4));
    data[2] = char(crc & 0xFF);
    data[3] = char(crc >> 8);
    return data;
}

std::uint32_t Le32(const QByteArray& data, int offset)
{
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = v << 8 | std::uint8_t(data[offset + i]);
    return v;
}

// zlib's CRC-32 of the file without its CRC field (offsets 371 to 374).
std::uint32_t ZlibCRC(const QByteArray& file)
{
    const QByteArray rest = file.left(371) + file.mid(375);
    return std::uint32_t(crc32(0, reinterpret_cast<const Bytef*>(rest.constData()), uInt(rest.size())));
}

QString Hex32(std::uint32_t v)
{
    return QStringLiteral("%1").arg(v, 8, 16, QLatin1Char('0')).toUpper();
}

// The file with its CRC field made right again.
QByteArray WithCRC(QByteArray file)
{
    const std::uint32_t crc = ZlibCRC(file);
    for (int i = 0; i < 4; ++i)
        file[371 + i] = char(crc >> (8 * i));
    return file;
}

QString LoadError(const QByteArray& file)
{
    TFNNotificationArchive archive({}, {}, {}, 0);
    try {
        archive.LoadFromData(file);
    } catch (const Exception& e) {
        EXPECT_EQ(archive.Notifications().GetCount(), 0);
        return e.Message();
    }
    return {};
}

QByteArray ReadAll(const QString& name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString& name, const QByteArray& data)
{
    QFile f(name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

class TwoNotifications : public ::testing::Test {
protected:
    TwoNotifications() : Archive(QStringLiteral("Brannic: Lumaq 1.0.0.0"), "0000000001012345", "9960000000012345", 0x104)
    {
        Archive.Add(7, First);
        Archive.Add(8, Second);
    }
    const QByteArray First = Notification(30, 'a');
    const QByteArray Second = Notification(42, 'b');
    TFNNotificationArchive Archive;
};
} // namespace

TEST(Notifications, RecordFormAndCRC)
{
    EXPECT_EQ(Int2ValueTLV(201, 2), QByteArray::fromHex("C900"));
    EXPECT_EQ(Int2ValueTLV(-2, 8), QByteArray::fromHex("FEFFFFFFFFFFFFFF"));
    for (int size : {0, 9}) {
        try {
            Int2ValueTLV(1, size);
            ADD_FAILURE() << size;
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("to large data"));
        }
    }
    // CRC-16/CCITT-FALSE of "123456789" is 29B1; bytes 3 and 4 are left out.
    TNotification n;
    n.FData = QByteArray("12\xAA\xBB") + "3456789";
    EXPECT_EQ(n.GetCRC(), 0x29B1);
    EXPECT_EQ(n.StoredCRC(), 0xBBAA);
    EXPECT_EQ(n.GetData(), QByteArray::fromHex("C9000B00") + n.FData);
}

TEST(Notifications, ListOwnsItsItems)
{
    TNotifications a, b;
    auto* first = new TNotification(&a);
    auto* second = new TNotification(&a);
    second->SetOwner(&b);
    EXPECT_EQ(a.GetCount(), 1);
    EXPECT_EQ(b.GetItem(0), second);
    EXPECT_EQ(second->Owner(), &b);
    delete first;
    EXPECT_EQ(a.GetCount(), 0);
    EXPECT_THROW(a.GetItem(0), EListError);
    b.Clear();
    EXPECT_EQ(b.GetCount(), 0);
}

TEST_F(TwoNotifications, GoldenLayout)
{
    const QByteArray file = Archive.FileData();
    ASSERT_EQ(file.size(), 455);
    EXPECT_EQ(OemToWide(file.left(66)), QStringLiteral("Отчет о реализации маркированного товара").leftJustified(66));
    EXPECT_EQ(std::uint8_t(file[0]), 0x8E);  // "О" in CP866
    EXPECT_EQ(file.mid(66, 256), QByteArray("Brannic: Lumaq 1.0.0.0").leftJustified(256, ' '));
    EXPECT_EQ(file.mid(322, 20), QByteArray("0000000001012345    "));
    EXPECT_EQ(file.mid(342, 16), QByteArray("9960000000012345"));
    EXPECT_EQ(std::uint8_t(file[358]), 0x04);
    EXPECT_EQ(Le32(file, 359), 7u);
    EXPECT_EQ(Le32(file, 363), 8u);
    EXPECT_EQ(Le32(file, 367), 2u);
    EXPECT_EQ(Le32(file, 371), ZlibCRC(file));
    EXPECT_EQ(file.mid(375), QByteArray::fromHex("C9001E00") + First + QByteArray::fromHex("C9002A00") + Second);

    const QString name = TestTempDir() + "/golden.crpt2";
    Archive.SaveToFile(name);
    EXPECT_EQ(ReadAll(name), file);
}

TEST_F(TwoNotifications, LongFieldsAreCutAndTheReaderGivesTheFileBack)
{
    TFNNotificationArchive cut(QString(300, 'p'), QByteArray(25, 'r'), QByteArray("12345678901234567890"), 2);
    cut.Add(1, First);
    const QByteArray file = cut.FileData();
    EXPECT_EQ(file.mid(66, 256), QByteArray(256, 'p'));
    EXPECT_EQ(file.mid(322, 20), QByteArray(20, 'r'));
    EXPECT_EQ(file.mid(342, 16), QByteArray("1234567890123456"));
    EXPECT_EQ(file.size(), 375 + 34);

    const QString name = TestTempDir() + "/back.crpt2";
    Archive.SaveToFile(name);
    TFNNotificationArchive read({}, {}, {}, 0);
    read.LoadFromFile(name);
    EXPECT_EQ(read.FileData(), ReadAll(name));
    EXPECT_EQ(read.ProgName(), QStringLiteral("Brannic: Lumaq 1.0.0.0"));
    EXPECT_EQ(read.FNSerial(), QByteArray("9960000000012345"));
    EXPECT_EQ(read.RNM(), QByteArray("0000000001012345"));
    EXPECT_EQ(read.FFDVersion(), 4u);
    ASSERT_EQ(read.Notifications().GetCount(), 2);
    EXPECT_EQ(read.Notifications().GetItem(1)->FNumber, 8);
    EXPECT_EQ(read.Notifications().GetItem(1)->FData, Second);
}

TEST(NotificationArchive, SpoiltCRCAndNoRecordsWriteNothing)
{
    const QString name = TestTempDir() + "/old.crpt2";
    WriteAll(name, "old contents");
    TFNNotificationArchive archive({}, {}, {}, 0);
    try {
        archive.SaveToFile(name);
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Нет ни одного уведомления"));
    }
    EXPECT_EQ(ReadAll(name), QByteArray("old contents"));

    QByteArray data = Notification(20, 'c');
    data[2] = char(data[2] ^ 1);
    try {
        archive.Add(8, data);
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Notification 8: Invalid CRC"));
    }
    EXPECT_EQ(archive.Notifications().GetCount(), 1);
}

TEST_F(TwoNotifications, FailingWriteKeepsTheOldFile)
{
    const QString dir = TestTempDir();
    const QString name = dir + "/kept.crpt2";
    WriteAll(name, "old contents");
    // Files of this process may not grow past 400 bytes: the 455-byte write fails.
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 400;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    QString message;
    try {
        Archive.SaveToFile(name);
    } catch (const Exception& e) {
        message = e.Message();
    }
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_TRUE(message.startsWith(QStringLiteral("Cannot create file \"") + name)) << message.toStdString();
    EXPECT_EQ(ReadAll(name), QByteArray("old contents"));
    EXPECT_EQ(QDir(dir).entryList(QDir::Files), QStringList{QStringLiteral("kept.crpt2")});
}

TEST_F(TwoNotifications, ReaderNamesWhatIsWrongAndWhere)
{
    const QByteArray good = Archive.FileData();
    QByteArray wrongCount = good;
    wrongCount[367] = 3;
    QByteArray pastTheEnd = good;
    pastTheEnd[375 + 34 + 2] = 43;
    QByteArray badRecord = good;
    badRecord[375 + 4 + 10] = 'x';
    QByteArray badTag = good;
    badTag[375] = char(0xCA);
    QByteArray badCRC = good;
    badCRC[371] = char(badCRC[371] ^ 0xFF);
    QByteArray badNumbers = good;
    badNumbers[363] = 7;
    const struct {
        const char* name;
        QByteArray file;
        QString error;
    } cases[] = {
        {"header cut", good.left(374), "the file is 374 bytes long, shorter than its header (375 bytes)"},
        {"record cut", good.left(375 + 34 + 3), "record 2 at offset 409: 3 bytes left, its tag and length need 4"},
        {"data cut", WithCRC(good.left(454)), "record 2 at offset 409: length 42 runs past the end of the file (454 bytes)"},
        {"length past the end", WithCRC(pastTheEnd), "record 2 at offset 409: length 43 runs past the end of the file (455 bytes)"},
        {"wrong count", WithCRC(wrongCount), "offset 367: count 3, but the file holds 2 records"},
        {"tag", WithCRC(badTag), "record 1 at offset 375: tag 202, 201 expected"},
        {"numbers", WithCRC(badNumbers), "offset 359: first number 7 and last number 7 do not fit 2 notifications"},
        {"CRC-32", badCRC, QStringLiteral("offset 371: CRC-32 %1, the file's is %2").arg(Hex32(Le32(badCRC, 371)), Hex32(ZlibCRC(good)))},
        {"record CRC", WithCRC(badRecord), "record 1 at offset 375 (notification 7): Invalid CRC"},
        {"title", WithCRC(QByteArray(5, 'x') + good.mid(5)), "offset 0: the title is not \"Отчет о реализации маркированного товара\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LoadError(c.file), QStringLiteral("Notification archive: ") + c.error) << c.name;
    EXPECT_EQ(LoadError(good), QString());

    TFNNotificationArchive archive({}, {}, {}, 0);
    EXPECT_THROW(archive.LoadFromFile(TestTempDir() + "/missing.crpt2"), Exception);
}

TEST_F(TwoNotifications, ReaderFuzzEntryOverASeededCorpus)
{
    const QByteArray good = Archive.FileData();
    const QList<QByteArray> corpus = {QByteArray(), good.left(375), good, WithCRC(good.left(409)),
                                      WithCRC(QByteArray(good).replace(367, 1, "\x01"))};
    auto run = [](const QByteArray& input) {
        return LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.constData()), std::size_t(input.size()));
    };
    for (const QByteArray& seed : corpus)
        EXPECT_EQ(run(seed), 0);
    std::mt19937 random(20261211);
    for (int round = 0; round < 3000; ++round) {
        QByteArray input = corpus[int(random() % std::uint32_t(corpus.size()))];
        const int edits = 1 + int(random() % 4);
        for (int e = 0; e < edits; ++e) {
            const auto at = qsizetype(random() % std::uint32_t(input.size() + 1));
            const char c = char(random() % 256);
            switch (random() % 4) {
            case 0: input.insert(at, c); break;
            case 1: if (at < input.size()) input[at] = c; break;
            case 2: input.truncate(at); break;
            default: input = WithCRC(input.size() >= 375 ? input : good); break;
            }
        }
        ASSERT_EQ(run(input), 0) << input.toHex().constData();
    }
}
