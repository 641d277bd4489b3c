#include "core/support/CodePage.h"
#include "core/support/FileUtils.h"
#include "tests/TestSupport.h"

#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

QByteArray allBytes()
{
    QByteArray bytes;
    for (int b = 0; b < 256; ++b)
        bytes.append(char(b));
    return bytes;
}

QByteArray fileBytes(const QString& name)
{
    QFile file(name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

void writeBytes(const QString& name, const QByteArray& data)
{
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(data);
}

} // namespace

TEST(CodePage, AllByteValuesSurviveBothCodePages)
{
    const QByteArray bytes = allBytes();
    const QString ansi = AnsiToWide(bytes);
    EXPECT_EQ(ansi.size(), 256);
    EXPECT_EQ(WideToAnsi(ansi), bytes);
    EXPECT_EQ(ansi[0x98], QChar(0x98));
    EXPECT_EQ(WideToOem(OemToWide(bytes)), bytes);
}

TEST(CodePage, KnownCharacters)
{
    EXPECT_EQ(AnsiToWide("\xCF\xF0\xE8\xE2\xE5\xF2 \xA8\xB8 \xB9 \x88"), QStringLiteral("Привет Ёё № €"));
    EXPECT_EQ(OemToWide("\x8F\xE0\xA8\xA2\xA5\xE2 \xF0\xF1 \xFC \xC9"), QStringLiteral("Привет Ёё № ╔"));
    EXPECT_EQ(WideToAnsi(QStringLiteral("Ж€")), QByteArray("\xC6\x88"));
    // Characters outside the code page become "?".
    EXPECT_EQ(WideToAnsi(QStringLiteral("a✓ü╔")), QByteArray("a???"));
    EXPECT_EQ(WideToOem(QStringLiteral("Ж€")), QByteArray("\x86?"));
}

TEST(TextFile, SavesAnsiWithCrLf)
{
    const QString name = TestTempDir() + "/memo.txt";
    SaveTextFile(name, QStringLiteral("Строка 1\nLine 2\r\n\nЁ"));
    EXPECT_EQ(fileBytes(name), QByteArray("\xD1\xF2\xF0\xEE\xEA\xE0 1\r\nLine 2\r\n\r\n\xA8\r\n"));
    EXPECT_EQ(LoadTextFile(name), QStringLiteral("Строка 1\nLine 2\n\nЁ"));

    SaveTextFile(name, QString());
    EXPECT_EQ(fileBytes(name), QByteArray());
}

TEST(TextFile, ByteOrderMarkSelectsUnicode)
{
    const QString name = TestTempDir() + "/bom.txt";
    const QString text = QStringLiteral("Чек ✓\nвторая");
    const QByteArray utf16 = QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    QByteArray utf16be;
    for (int i = 0; i < utf16.size(); i += 2)
        utf16be.append(utf16[i + 1]).append(utf16[i]);
    const std::vector<QByteArray> files = {
        "\xEF\xBB\xBF" + text.toUtf8(),
        "\xFF\xFE" + utf16,
        "\xFE\xFF" + utf16be,
    };
    for (const QByteArray& data : files) {
        writeBytes(name, data);
        EXPECT_EQ(LoadTextFile(name), text);
    }
    // Without a mark the bytes are code page 1251, even when they look like UTF-8.
    writeBytes(name, QStringLiteral("Ж").toUtf8());
    EXPECT_EQ(LoadTextFile(name), QStringLiteral("Р–"));
}

TEST(TextFile, MissingFilesAndFullDisksRaise)
{
    const QString missing = TestTempDir() + "/none/file.txt";
    EXPECT_THROW(LoadTextFile(missing), EFOpenError);
    EXPECT_THROW(ReadFileData(missing, MaxTextFileSize), EFOpenError);
    EXPECT_THROW(SaveTextFile(missing, "x"), EFCreateError);

    // A full disk keeps the file as it was.
    const QString name = TestTempDir() + "/memo.txt";
    SaveTextFile(name, "old");
    TFullDisk full(16);
    EXPECT_THROW(SaveTextFile(name, QString(1000, 'x')), EFCreateError);
    EXPECT_EQ(fileBytes(name), "old\r\n");
}

// Only a regular file within the reader's bound: a FIFO would block the
// read, a 200 MB text would take gigabytes.
TEST(FileUtils, ReadersTakeARegularFileWithinTheirBound)
{
    const QString name = TestTempDir() + "/big.txt";
    writeBytes(name, "x");
    {
        QFile f(name);
        ASSERT_TRUE(f.resize(MaxTextFileSize + 1));   // sparse: no disk used
    }
    try {
        LoadTextFile(name);
        ADD_FAILURE();
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Файл \"%1\" слишком велик: %2 байт (не более %3 байт)")
                                   .arg(name).arg(MaxTextFileSize + 1).arg(MaxTextFileSize));
    }
    const QString fifo = TestTempDir() + "/fifo";
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_THROW(LoadTextFile(fifo), EFOpenError);
}

TEST(FileUtils, ReadFileDataIsByteExact)
{
    const QString name = TestTempDir() + "/data.bin";
    writeBytes(name, allBytes());
    EXPECT_EQ(ReadFileData(name, MaxTextFileSize), allBytes());
    writeBytes(name, {});
    EXPECT_EQ(ReadFileData(name, MaxTextFileSize), QByteArray());
}
