#include "core/support/StringUtils.h"
#include "core/support/untTypes.h"
#include "core/support/untUtil.h"
#include "platform/Exceptions.h"

#include <gtest/gtest.h>

TEST(GetSumm, Amounts)
{
    const std::vector<std::pair<QString, int64_t>> cases = {
        {"1 234,567", 12345700},
        {"0,005", 100},
        {"0.004", 0},
        {"-2,5", -25000},
        {"-0,005", -100},
        {"10995116277", 109951162770000},
        {"-10995116277", -109951162770000},
        {"-10995116277.01", -109951162770100},   // negative amounts have no bound of their own
        {"-20000000000", -200000000000000},
        {"-900000000000000", -9000000000000000000},
        {"+1", 10000},
        {".5", 5000},
        {"5.", 50000},
        {"1e2", 1000000},
        {"12.345", 123500},
        {"0,015", 200},
    };
    for (const auto& [text, amount] : cases)
        EXPECT_EQ(GetSumm(text, "Summ1"), amount) << text.toStdString();
}

TEST(GetSumm, RejectsWithTheFieldName)
{
    const QString message = QStringLiteral("Некорректное значение в поле\r\n\"Summ1\"");
    for (const QString text : {"10995116277.01", "", "abc", "1,2,3", "-1e15", "-1e20", "inf", "-inf",
                               "nan", "0x1p3", "1e400", "1 2 3e", ",", "1\t2"}) {
        try {
            GetSumm(text, "Summ1");
            ADD_FAILURE() << "accepted " << text.toStdString();
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), message) << text.toStdString();
        }
    }
}

TEST(untUtil, CheckIntStrChecksTheLengthOnly)
{
    EXPECT_NO_THROW(CheckIntStr(QString(1024, u'x'), "Field"));
    EXPECT_NO_THROW(CheckIntStr("not a number", "Field"));
    try {
        CheckIntStr(QString(1025, u'1'), "Field");
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Некорректное значение в поле \"Field\""));
    }
}

TEST(untUtil, ExRound)
{
    EXPECT_DOUBLE_EQ(ExRound(0.004999, 0.01), 0);
    EXPECT_DOUBLE_EQ(ExRound(0.005, 0.01), 0.01);
    EXPECT_DOUBLE_EQ(ExRound(-0.005, 0.01), -0.01);
    EXPECT_DOUBLE_EQ(ExRound(7.4, 1), 7);
    EXPECT_DOUBLE_EQ(ExRound(7.5, 1), 8);
}

TEST(BinUtils, IntegersInByteStrings)
{
    EXPECT_EQ(IntToBin(0x0102, 2), QByteArray("\x02\x01"));
    EXPECT_EQ(IntToBin(0x0102, 0), QByteArray());
    EXPECT_EQ(IntToBin(0x0102, 9), QByteArray());
    EXPECT_EQ(IntToBin(-1, 8), QByteArray(8, '\xFF'));
    const QByteArray data("\x02\x01", 2);
    EXPECT_EQ(BinToInt(data, 1, 2), 0x0102);
    EXPECT_EQ(BinToInt(data, 1, 3), 0);
    EXPECT_EQ(BinToInt(data, 2, 1), 1);
    EXPECT_EQ(BinToInt(data, 0, 1), 0);
    EXPECT_EQ(BinToInt(data, 3, 1), 0);
    EXPECT_EQ(BinToInt(QByteArray(9, '\x01'), 1, 9), 0);
    EXPECT_EQ(BinToInt(IntToBin(-2, 8), 1, 8), -2);
    EXPECT_EQ(Int64ToStr(-9223372036854775807LL), "-9223372036854775807");
    EXPECT_EQ(Min(3, -4), -4);
}

TEST(BinUtils, Bits)
{
    EXPECT_TRUE(TestBit(1, 32));
    EXPECT_TRUE(TestBit(0x80000000u, 31));
    EXPECT_FALSE(TestBit(0x80000000u, 30));
    EXPECT_TRUE(TestBit(4, 2));
    uint8_t b = 0x01;
    SetBit(b, 7);
    EXPECT_EQ(b, 0x81);
    SetBit(b, 8);
    EXPECT_EQ(b, 0x81);
    EXPECT_EQ(BoolToYesNo(true), QStringLiteral("[да]"));
    EXPECT_EQ(BoolToYesNo(false), QStringLiteral("[нет]"));
    EXPECT_EQ(GetBitStr(2, 1), QStringLiteral("[да]"));
    EXPECT_EQ(GetBitStr(2, 0), QStringLiteral("[нет]"));
}

TEST(StringUtils, TextsAndPlaceholders)
{
    EXPECT_EQ(AddLeadingZeros("123", 5), "00123");
    EXPECT_EQ(AddLeadingZeros("123456", 5), "12345");
    EXPECT_EQ(AddLeadingZeros("", 2), "00");
    EXPECT_EQ(GetINN(""), QStringLiteral("не задан"));
    EXPECT_EQ(GetINN("7701234567"), "7701234567");
    EXPECT_EQ(GetRNM(""), QStringLiteral("не задан"));
    EXPECT_EQ(GetSerialNumber(""), QStringLiteral("не введен"));
    EXPECT_EQ(GetSerialNumber("0001"), "0001");
}

TEST(untUtil, TCPPortCode)
{
    EXPECT_EQ(DecodeTCPPort(0x1F), 0x103F);
    EXPECT_EQ(EncodeTCPPort(0x103F), 0x1F);
    for (int code = 0; code < 256; ++code)
        EXPECT_EQ(EncodeTCPPort(DecodeTCPPort(uint8_t(code))), code);
    EXPECT_EQ(EncodeTCPPort(7778), EncodeTCPPort(0x1002)); // middle bits are lost
}

TEST(untUtil, Str866To1251)
{
    // "Привет Ёё №" in 866 -> 1251; box drawing and the three lacking characters -> "?"
    EXPECT_EQ(Str866To1251("abc \x8F\xE0\xA8\xA2\xA5\xE2 \xF0\xF1 \xFC\xF8\xFA\xFD\xFF"),
              QByteArray("abc \xCF\xF0\xE8\xE2\xE5\xF2 \xA8\xB8 \xB9\xB0\xB7\xA4\xA0"));
    int lacking = 0;
    for (int b = 0x80; b < 256; ++b)
        lacking += Char866To1251(char(b)) == '?';
    EXPECT_EQ(lacking, 51);
    for (int b : {0xB0, 0xDF, 0xF9, 0xFB, 0xFE})
        EXPECT_EQ(Char866To1251(char(b)), '?');
    for (int b = 0; b < 128; ++b)
        EXPECT_EQ(Char866To1251(char(b)), char(b));
}
