#include "core/support/RNMUtil.h"
#include "core/support/ReasonCodes.h"

#include <gtest/gtest.h>

TEST(RNMUtil, CRCCITT16)
{
    EXPECT_EQ(CRCCITT16("123456789"), 0x29B1);
    EXPECT_EQ(CRCCITT16(""), 0xFFFF);
    EXPECT_EQ(CRCCITT16("", 0x1021, 0), 0);
}

TEST(RNMUtil, GenerateRNM)
{
    EXPECT_EQ(GenerateRNM(QByteArray("1"), QByteArray("123456789012"), QByteArray("1")), "0000000001045587");
    EXPECT_EQ(GenerateRNM(QString("1"), QString("123456789012"), QString("1")), "0000000001045587");
    // An empty INN is twelve zeros.
    EXPECT_EQ(GenerateRNM(QByteArray("1"), QByteArray(), QByteArray("1")),
              GenerateRNM(QByteArray("1"), QByteArray("000000000000"), QByteArray("1")));
    // The test program cuts a 25-digit serial to its first 20 digits...
    const QByteArray longSerial = "1234567890123456789012345";
    EXPECT_EQ(GenerateRNM(QByteArray("7"), QByteArray("7701234567"), longSerial),
              GenerateRNM(QByteArray("7"), QByteArray("7701234567"), longSerial.left(20)));
    // ...the wizard uses it whole, and a long head stays whole in front.
    const QString wide = GenerateRNM(QString("7"), QString("7701234567"), QString::fromLatin1(longSerial));
    EXPECT_NE(wide, GenerateRNM(QString("7"), QString("7701234567"), QString::fromLatin1(longSerial.left(20))));
    EXPECT_TRUE(GenerateRNM(QString("12345678901"), QString("1"), QString("1")).startsWith("12345678901"));
    EXPECT_EQ(GenerateRNM(QString("12345678901"), QString("1"), QString("1")).size(), 17);
}

TEST(RNMUtil, CheckRNM)
{
    EXPECT_TRUE(CheckRNM("0000000001045587", "123456789012", "1"));
    EXPECT_TRUE(CheckRNM("0000000001045587", "123456789012", "00000000000000000001"));
    EXPECT_FALSE(CheckRNM("0000000001045588", "123456789012", "1"));
    EXPECT_FALSE(CheckRNM("0000000001045587", "123456789013", "1"));
    EXPECT_FALSE(CheckRNM("0000000001045587", "123456789012", "2"));
    EXPECT_FALSE(CheckRNM("", "123456789012", "1"));
}

TEST(ReasonCodes, TableAndNames)
{
    const auto& table = ReasonCodeTable();
    ASSERT_EQ(table.size(), 23);
    EXPECT_EQ(table.front().Text, QStringLiteral("Замена фискального накопителя"));
    EXPECT_EQ(table[21].Bit, 21);
    EXPECT_EQ(table.back().Bit, 31);
    EXPECT_EQ(table.back().Text, QStringLiteral("Иные причины"));
    EXPECT_EQ(RegistrationReasonName(1), QStringLiteral("Замена ФН"));
    EXPECT_EQ(RegistrationReasonName(4), QStringLiteral("Изменение настроек ККТ"));
    EXPECT_EQ(RegistrationReasonName(0), QString());
    EXPECT_EQ(RegistrationReasonName(5), QString());
}
