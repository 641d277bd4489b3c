#include "core/support/BinUtils.h"
#include "core/support/CodePage.h"
#include "core/support/StringUtils.h"
#include "core/support/untUtil.h"

#include <gtest/gtest.h>

TEST(BinUtils, StrToHex)
{
    const QByteArray data("\x01\xAB", 2);
    EXPECT_EQ(StrToHex(data), "01 AB");
    EXPECT_EQ(StrToHex(QByteArray()), "");
    EXPECT_EQ(StrToHex(data, true), "01 AB ");
    EXPECT_EQ(StrToHex(data, false), "01AB");
    EXPECT_EQ(BytesToHex(QByteArray("\x00\xFF", 2)), "00 FF");
}

TEST(BinUtils, HexToStr)
{
    const std::vector<std::pair<QString, QByteArray>> cases = {
        {"0A 1B2C", QByteArray("\x0A\x1B\x2C")},
        {"0a1b2c", QByteArray("\x0A\x1B\x2C")},
        {"A B C", QByteArray("\x0A\x0B\x0C")},
        {"0A ZZ 0B", QByteArray("\x0A")},
        {"A\tB", QByteArray("\xAB")},
        {"  01  02  ", QByteArray("\x01\x02")},
        {"01 0", QByteArray("\x01\x00", 2)},
        {"01 Z", QByteArray("\x01")},
        {"1", QByteArray("\x01")},
        {"AZ 01", QByteArray()},
        {"", QByteArray()},
        {"0Г", QByteArray()},
    };
    for (const auto& [text, bytes] : cases)
        EXPECT_EQ(HexToStr(text), bytes) << text.toStdString();
}

TEST(BinUtils, HexRoundTripIsByteExactForAllValues)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    EXPECT_EQ(HexToStr(StrToHex(all)), all);
    EXPECT_EQ(HexToBytes(StrToHex(all, false)), all);
    // A trailing single digit once went through a code-page round trip.
    for (int b = 0; b < 256; ++b) {
        const QByteArray bytes = all.left(b + 1);
        EXPECT_EQ(HexToStr(StrToHex(bytes) + " 7"), bytes + '\x07');
    }
    // Byte strings crossing a wide-text property keep every byte.
    EXPECT_EQ(WideToAnsi(AnsiToWide(HexToStr(StrToHex(all)))), all);
}
