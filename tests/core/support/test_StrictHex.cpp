// The strict hex reader of typed data.
#include "core/support/StrictHex.h"

#include "core/support/BinUtils.h"

#include "platform/Exceptions.h"

#include <gtest/gtest.h>

TEST(StrictHex, ReadsEveryFormHexToStrReads)
{
    const char* texts[] = {
        "01 ab\r\n\tFF  00 ",  // blanks and line breaks between groups
        "0a1b2c",              // pairs run together
        "0A 1B2C",
        "A B C",               // a blank ends a one-digit group
        "0\t1 2\n3",           // a tab or line break inside a group is dropped
        "01 0",                // the last single digit
        "",
        " \n ",
    };
    for (const char* text : texts) {
        const QString hex = QString::fromLatin1(text);
        EXPECT_EQ(HexToStrStrict(hex), HexToStr(hex)) << text;
    }
    EXPECT_EQ(HexToStrStrict(QStringLiteral("0A 1B2C")), QByteArray::fromHex("0A1B2C"));
    EXPECT_EQ(HexToStrStrict(QStringLiteral("A B C")), QByteArray::fromHex("0A0B0C"));
}

TEST(StrictHex, BadGroupsAreRefusedWithTheirPosition)
{
    struct Case {
        const char* text;
        int position;
        const char* group;
    };
    // Where HexToStr stops quietly: the group and where it starts.
    const Case cases[] = {
        {"01 G2", 4, "G2"},        // not hex
        {"01 0G", 4, "0G"},
        {"0102 G", 6, "G"},        // a last single character
        {"01 02 ФФ", 7, "ФФ"},     // not hex, beyond Latin-1
        {"01,02", 3, ",0"},        // a separator that is none
        {"0A ZZ 0B", 4, "ZZ"},
    };
    for (const Case& c : cases) {
        const THexParse parsed = ParseHexStrict(QString::fromUtf8(c.text));
        EXPECT_FALSE(parsed.Ok) << c.text;
        EXPECT_TRUE(parsed.Bytes.isEmpty()) << c.text;
        EXPECT_EQ(parsed.ErrorPosition, c.position) << c.text;
        EXPECT_EQ(parsed.BadGroup, QString::fromUtf8(c.group)) << c.text;
    }
    try {
        HexToStrStrict(QStringLiteral("01 0G"));
        FAIL() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("позиции 4"))) << e.what();
        EXPECT_TRUE(e.Message().contains(QStringLiteral("\"0G\""))) << e.what();
    }
}

TEST(StrictHex, EveryByteValueRoundTrips)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString hex = QString::fromLatin1(all.toHex(' '));
    EXPECT_EQ(HexToStrStrict(hex), all);
    EXPECT_EQ(HexToStrStrict(hex.toUpper()), all);
}
