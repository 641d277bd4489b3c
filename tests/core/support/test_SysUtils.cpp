#include "core/support/SysUtils.h"
#include "platform/Exceptions.h"

#include <QLocale>
#include <gtest/gtest.h>

TEST(StrToInt, ReadsDecimalIntegersOnly)
{
    EXPECT_EQ(StrToInt("0"), 0);
    EXPECT_EQ(StrToInt(" 42 "), 42);
    EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
    EXPECT_EQ(StrToInt("+7"), 7);
    for (const char* bad : {"", "1.5", "12a", "2147483648", "--1", "1 2"}) {
        try {
            StrToInt(QString::fromUtf8(bad));
            ADD_FAILURE() << bad;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("\"%1\" не является целым числом").arg(QString::fromUtf8(bad)));
        }
    }
}

TEST(StrToFloat, ReadsNumbersWithTheLocalesSeparator)
{
    const QString point = QLocale::system().decimalPoint();
    EXPECT_DOUBLE_EQ(StrToFloat(" 1" + point + "5 "), 1.5);
    EXPECT_DOUBLE_EQ(StrToFloat("-2"), -2);
    EXPECT_DOUBLE_EQ(StrToFloat("1e3"), 1000);
    for (const char* bad : {"", "abc", "1 000", "1" "\xC2\xA0" "5", "inf", "nan"}) {
        try {
            StrToFloat(QString::fromUtf8(bad));
            ADD_FAILURE() << bad;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("\"%1\" не является числом").arg(QString::fromUtf8(bad)));
        }
    }
}

TEST(DateTimeToStr, TimeShownUnlessMidnight)
{
    EXPECT_EQ(DateTimeToStr(QDateTime(QDate(2024, 1, 5), QTime(9, 3, 7))), QStringLiteral("05.01.2024 09:03:07"));
    EXPECT_EQ(DateTimeToStr(QDateTime(QDate(2026, 12, 31), QTime(0, 0, 0, 400))), QStringLiteral("31.12.2026"));
    EXPECT_EQ(DateTimeToStr(QDateTime(QDate(1899, 12, 30), QTime(0, 0, 1))), QStringLiteral("30.12.1899 00:00:01"));
}
