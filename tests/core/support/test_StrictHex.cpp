// The strict hex reader of typed data.
#include "core/support/StrictHex.h"

#include "platform/Exceptions.h"

#include <gtest/gtest.h>

TEST(StrictHex, BlanksAndLineBreaksSeparateGroups)
{
    EXPECT_EQ(HexToStrStrict(QStringLiteral("01 ab\r\n\tFF  00 ")), QByteArray::fromHex("01ABFF00"));
    EXPECT_EQ(HexToStrStrict(QString()), QByteArray());
    EXPECT_EQ(HexToStrStrict(QStringLiteral(" \n ")), QByteArray());
}

TEST(StrictHex, BadGroupsAreRefusedWithTheirPosition)
{
    struct Case {
        const char* text;
        int position;
        const char* group;
    };
    const Case cases[] = {
        {"01 0", 4, "0"},          // odd
        {"01 G2", 4, "G2"},        // not hex
        {"0102 03", 1, "0102"},    // run together
        {"01 02 ФФ", 7, "ФФ"},     // not hex, beyond Latin-1
        {"01,02", 1, "01,02"},     // a separator that is none
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
