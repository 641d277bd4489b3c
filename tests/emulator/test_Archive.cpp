// The emulated FN archive: documents read one by one, saved by the driver as
// .crpt or .txt (optionally only receipts with a product code), and faults
// from a script.
#include "tests/DriverTestSupport.h"
#include "tests/TestSupport.h"

#include "core/support/CodePage.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterArchive.h"
#include "emulator/RegisterFN.h"

#include <QFile>

using M = OrvekMethod;

class ArchiveTest : public DriverTest {
protected:
    void SetUp() override
    {
        DriverTest::SetUp();
        RegisterFN& fn = TestRegister().Area<RegisterFN>();
        fn.AddDocument(FNDocType::Receipt).Summ = 1234500;
        FNTag code;
        code.Number = 1162;
        code.Value = "code";
        fn.AddDocument(FNDocType::Receipt).Tags.push_back(code);
    }
    std::int32_t ReadItem(int number)
    {
        Driver().setDocumentNumber(number);
        return Driver().FNReadArchiveItem();
    }
    std::int32_t Save(const QString& name, int type, bool markingOnly = false)
    {
        Driver().setFileName(name);
        Driver().setFNArchiveType(type);
        Driver().setMarkingOnly(markingOnly);
        return Driver().FNSaveArchive();
    }
    static QByteArray ReadAll(const QString& name)
    {
        QFile f(name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

TEST_F(ArchiveTest, SavesTheDocumentsRead)
{
    const QString text = TestTempDir() + "/archive.txt";
    EXPECT_EQ(ReadItem(1), 2);  // no reading begun
    EXPECT_EQ(Save(text, 1), 2);
    ASSERT_EQ(Driver().FNBeginReadArchive(), 0);
    for (int n : {1, 2, 3})
        ASSERT_EQ(ReadItem(n), 0);
    EXPECT_EQ(ReadItem(4), 8);
    EXPECT_EQ(Driver().ResultCodeDescription(), QStringLiteral("ФН: Нет запрошенных данных"));

    ASSERT_EQ(Save(text, 1), 0);
    const QString lines = AnsiToWide(ReadAll(text));
    EXPECT_TRUE(lines.startsWith(QStringLiteral("ФН 9960000000012345, документов: 3\r\n"))) << lines.toStdString();
    EXPECT_NE(lines.indexOf(QStringLiteral("ФД 2; тип 3; ")), -1);
    EXPECT_NE(lines.indexOf(QStringLiteral("сумма 123.45\r\n")), -1);

    const QString marked = TestTempDir() + "/marked.txt";
    ASSERT_EQ(Save(marked, 1, true), 0);
    EXPECT_EQ(AnsiToWide(ReadAll(marked)).count(QStringLiteral("\r\n")), 2);
    EXPECT_NE(AnsiToWide(ReadAll(marked)).indexOf(QStringLiteral("ФД 3;")), -1);

    const QString crpt = TestTempDir() + "/archive.crpt";
    ASSERT_EQ(Save(crpt, 0, true), 0);
    const QByteArray binary = ReadAll(crpt);
    EXPECT_EQ(binary.left(20), QByteArray("9960000000012345\x01\0\0\0", 20));
    EXPECT_TRUE(binary.endsWith(QByteArray::fromHex("8a040400") + "code"));

    EXPECT_EQ(Save(crpt, 2), OrvekResult::BadParameter);
    EXPECT_EQ(Save(TestTempDir() + "/missing/a.txt", 1), OrvekResult::FileError);
    EXPECT_EQ(Driver().ResultCodeDescription(), QStringLiteral("Ошибка записи файла"));

    // A new reading forgets the documents read before.
    ASSERT_EQ(Driver().FNBeginReadArchive(), 0);
    EXPECT_TRUE(TestRegister().Area<RegisterArchive>().Read.empty());
}

TEST_F(ArchiveTest, FaultsFromAScript)
{
    ASSERT_EQ(TestRegister().Faults().AddFromText(QStringLiteral("FNReadArchiveItem 50 @2")), QString());
    ASSERT_EQ(Driver().FNBeginReadArchive(), 0);
    EXPECT_EQ(ReadItem(1), 0);
    EXPECT_EQ(ReadItem(2), 50);
    EXPECT_EQ(ReadItem(2), 0);
    EXPECT_EQ(TestRegister().Area<RegisterArchive>().Read, (std::vector<int>{1, 2}));
}
