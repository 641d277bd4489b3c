// The tables' file, the font file and the value properties of the table methods.
#include "core/binding/OrvekServiceCodes.h"
#include "emulator/FontFile.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/TableFile.h"
#include "tests/DriverTestSupport.h"

using M = OrvekMethod;

TEST(TableFileTest, RoundTripKeepsEveryValue)
{
    RegisterTables tables;
    tables.Build(false, QStringLiteral("0000000000012345"));
    tables.SetValue(4, 1, 1, QStringLiteral("\"Кавычки\", запятые\r\nи перевод строки"));
    tables.SetValue(17, 1, 12, 123456789);
    std::vector<TableFileLine> lines;
    QString error;
    ASSERT_TRUE(ReadTableFile(WriteTableFile(tables), lines, error)) << error.toStdString();
    RegisterTables copy;
    copy.Build(false, QString());
    for (const TableFileLine& line : lines)
        ASSERT_EQ(copy.Write(line.Table, line.Row, line.Field, line.Value), 0) << line.LineNumber;
    EXPECT_EQ(copy.Value(4, 1, 1), tables.Value(4, 1, 1));
    EXPECT_EQ(copy.Value(17, 1, 12), QVariant(123456789));
    EXPECT_EQ(copy.Value(18, 1, 1), QVariant(QStringLiteral("0000000000012345")));
}

TEST(TableFileTest, MalformedFilesAreRefused)
{
    const char* bad[] = {
        "", "\r\n\r\n", "1,1,1\r\n", "1,1,1,2,3\r\n", "a,1,1,2\r\n", "1,1,1,x\r\n", "1,1,1,\"open\r\n",
        "1,1,1,\"a\"b\r\n", "1,1,1,a\"b\r\n", "1,1,\"1\",2\r\n",
    };
    for (const char* text : bad) {
        std::vector<TableFileLine> lines;
        QString error;
        EXPECT_FALSE(ReadTableFile(QByteArray(text), lines, error)) << text;
        EXPECT_FALSE(error.isEmpty()) << text;
        EXPECT_TRUE(lines.empty()) << text;
    }
    std::vector<TableFileLine> lines;
    QString error;
    ASSERT_TRUE(ReadTableFile("1,1,1,2\n4,1,1,\"\"\"\"", lines, error));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].Value, QVariant(QStringLiteral("\"")));
    EXPECT_EQ(lines[1].LineNumber, 2);
}

TEST(FontFileTest, OnlyWholeFontsAreRead)
{
    const QByteArray good = MakeFontFile(12, 24);
    FontFile font;
    QString error;
    ASSERT_TRUE(ReadFontFile(good, font, error));
    EXPECT_EQ(font.CharWidth, 12);
    EXPECT_EQ(font.Glyphs.size(), 256 * 24 * 2);
    QByteArray noMagic = good, zeroWidth = good;
    noMagic[0] = 'X';
    zeroWidth[4] = 0;
    for (const QByteArray& bad : {good.left(good.size() - 1), good + 'x', noMagic, zeroWidth, good.left(5), QByteArray()}) {
        FontFile f;
        EXPECT_FALSE(ReadFontFile(bad, f, error)) << bad.size();
        EXPECT_EQ(f.CharWidth, 0);
    }
}

class TableMethodsTest : public DriverTest {};

TEST_F(TableMethodsTest, ValuePropertiesFollowTheLastWrite)
{
    TDriver& d = Driver();
    d.setPassword(30);
    d.setTableNumber(1);
    d.setRowNumber(1);
    d.setFieldNumber(1);
    d.setValueOfFieldString(QStringLiteral("77"));
    d.setValueOfFieldInteger(5);
    // The structure query keeps the value to write.
    ASSERT_EQ(d.GetFieldStruct(), 0);
    EXPECT_EQ(d.ValueOfFieldInteger(), 5);
    ASSERT_EQ(d.WriteTable(), 0);
    EXPECT_EQ(TestRegister().Tables().Value(1, 1, 1), QVariant(5));
    EXPECT_EQ(d.ValueOfFieldString(), QStringLiteral("5"));
    d.setValueOfFieldString(QStringLiteral("77"));
    ASSERT_EQ(d.WriteTable(), 0);
    EXPECT_EQ(d.ValueOfFieldInteger(), 77);
    EXPECT_EQ(d.FieldName(), QStringLiteral("Номер кассы в магазине"));
    // Only the service password opens table 10, and it opens nothing else.
    d.setTableNumber(10);
    d.setFieldNumber(7);
    d.setValueOfFieldInteger(1);
    EXPECT_EQ(d.WriteTable(), OrvekResult::BadPassword);
    d.setPassword(OrvekService::ServicePassword);
    EXPECT_EQ(d.WriteTable(), 0);
    d.setTableNumber(1);
    EXPECT_EQ(d.WriteTable(), OrvekResult::BadPassword);
    EXPECT_EQ(TestRegister().Tables().Value(10, 1, 7), QVariant(1));
}
