#include "platform/Exceptions.h"
#include "regmaven/untUtils.h"
#include "regmaven/untUtils2.h"

#include <gtest/gtest.h>

using namespace Regmaven;

TEST(untUtils, CheckINN)
{
    enum TResult { Invalid, Valid, Raises };
    const std::vector<std::pair<QString, TResult>> cases = {
        {"7707083893", Valid},      // 10 digits, check digit matches
        {"7707083894", Invalid},    // wrong check digit
        {"7717083893", Invalid},    // a digit changed
        {"500100732259", Valid},    // 12 digits, both check digits match
        {"500100732258", Invalid},  // wrong 12th digit
        {"500100732269", Invalid},  // wrong 11th digit
        {"50010073225", Invalid},   // 11 digits
        {"", Invalid},
        {"770708389", Invalid},
        {"77O70", Invalid},         // other lengths are invalid whatever they hold
        // A non-digit in a text of 10 or 12 characters is the conversion error.
        {"77070838 3", Raises},
        {"77070A3893", Raises},
        {"770708389X", Raises},     // the check digit itself
        {"５００１００７３２２５９", Raises},
    };
    for (const auto& [inn, result] : cases) {
        SCOPED_TRACE(inn.toStdString());
        if (result == Raises)
            EXPECT_THROW(CheckINN(inn), EConvertError);
        else
            EXPECT_EQ(CheckINN(inn), result == Valid);
    }
}

TEST(untUtils, INNCheckDigit)
{
    EXPECT_EQ(INNCheckDigit(10, "7707083893"), 3);
    EXPECT_EQ(INNCheckDigit(11, "500100732259"), 5);
    EXPECT_EQ(INNCheckDigit(12, "500100732259"), 9);
    EXPECT_THROW(INNCheckDigit(10, "77070X3893"), EConvertError);
    for (int position : {0, 13, 20, -1})   // the weights cover positions 1 to 12
        EXPECT_THROW(INNCheckDigit(position, "50010073225912345678"), Exception) << position;
    EXPECT_FALSE(CheckINN("5001007322591"));
}

TEST(untUtils, CompareVersions)
{
    EXPECT_EQ(CompareVersions(4, 13, 0, 594, 4, 13, 0, 594), 0);
    EXPECT_EQ(CompareVersions(4, 13, 0, 593, 4, 13, 0, 594), -1);
    EXPECT_EQ(CompareVersions(4, 14, 0, 0, 4, 13, 0, 594), 1);
    EXPECT_EQ(CompareVersions(4, 12, 9, 999, 4, 13, 0, 594), -1);
    EXPECT_EQ(CompareVersions(5, 0, 0, 0, 4, 13, 0, 594), 1);
}

TEST(untUtils, Names)
{
    EXPECT_EQ(GetFFDName(0), QStringLiteral("ФФД 1.0 beta"));
    EXPECT_EQ(GetFFDName(1), QStringLiteral("ФФД 1.0 new"));
    EXPECT_EQ(GetFFDName(2), QStringLiteral("ФФД 1.05"));
    EXPECT_EQ(GetFFDName(4), QStringLiteral("ФФД 1.2"));
    EXPECT_EQ(GetFFDName(255), QString());
    EXPECT_EQ(GetReasonCodeName(2), QStringLiteral("Замена ОФД"));
    EXPECT_EQ(GetReasonCodeName(3), QStringLiteral("Изменение реквизитов"));
    EXPECT_EQ(GetReasonCodeName(255), QString());
}

TEST(untUtils2, BaudrateCodes)
{
    const std::vector<std::pair<int, int>> table = {{2400, 0},   {4800, 1},   {9600, 2},   {19200, 3},  {38400, 4},
                                                    {57600, 5},  {115200, 6}, {230400, 7}, {460800, 8}, {921600, 9}};
    for (const auto& [baud, code] : table) {
        EXPECT_EQ(TOrvekBaudrate::BaudrateToCode(baud), code);
        EXPECT_EQ(TOrvekBaudrate::CodeToBaudrate(code), baud);
    }
    EXPECT_EQ(TOrvekBaudrate::BaudrateToCode(1200), 6);
    EXPECT_EQ(TOrvekBaudrate::CodeToBaudrate(10), 115200);
    EXPECT_EQ(TOrvekBaudrate::CodeToBaudrate(-1), 115200);
}
