#include "core/support/Format.h"
#include "platform/Exceptions.h"

#include <gtest/gtest.h>

namespace {

struct DecimalSeparatorScope {
    explicit DecimalSeparatorScope(QChar c) : FOld(DecimalSeparator()) { SetDecimalSeparator(c); }
    ~DecimalSeparatorScope() { SetDecimalSeparator(FOld); }
    QChar FOld;
};

} // namespace

TEST(Format, Conventions)
{
    DecimalSeparatorScope point(u'.');
    const std::vector<std::pair<QString, QString>> cases = {
        {Format("(%d) %s", {-1, QStringLiteral("Нет связи")}), "(-1) Нет связи"},
        {Format("%d", {2147483647}), "2147483647"},
        {Format("%d", {qint64(-9223372036854775807LL - 1)}), "-9223372036854775808"},
        {Format("%.8d", {1234}), "00001234"},
        {Format("%.3d", {-5}), "-005"},
        {Format("%.2d.%.2d.%.4d", {1, 12, 2024}), "01.12.2024"},
        {Format("%.16d", {qint64(42)}), "0000000000000042"},
        {Format("%3d|%-3d|", {7, 7}), "  7|7  |"},
        {Format("%x", {255}), "FF"},
        {Format("%.2x", {10}), "0A"},
        {Format("%.2X", {10}), "0A"},
        {Format("%x", {-1}), "FFFFFFFF"},
        {Format("%x", {-2}), "FFFFFFFE"},
        {Format("%x", {qint64(-1)}), "FFFFFFFFFFFFFFFF"},
        {Format("%.4xh, %d", {0x1A, 26}), "001Ah, 26"},
        {Format("%u", {-1}), "4294967295"},
        {Format("%-*s: %s", {8, "Name", "value"}), "Name    : value"},
        {Format("%-*s: %s", {3, "Longer", "x"}), "Longer: x"},
        {Format("%5s|", {"ab"}), "   ab|"},
        {Format("%.2s", {"abcdef"}), "ab"},
        {Format("%s", {QByteArray("\xC0\xE1")}), "Аб"},
        {Format("%.2f", {1.5}), "1.50"},
        {Format("%.2f", {2.675}), "2.68"},
        {Format("%.2f", {-0.004}), "0.00"},
        {Format("%.2f", {-1234.567}), "-1234.57"},
        {Format("%.2f", {999.999}), "1000.00"},
        {Format("%.0f", {0.5}), "1"},
        {Format("%f", {3.0}), "3.00"},
        {Format("%.3f", {0.0001}), "0.000"},
        {Format("%.2f", {0.0004}), "0.00"},
        {Format("%.2f", {-0.0005}), "0.00"},
        {Format("%.3f", {0.00001}), "0.000"},
        {Format("%.0f", {0.0004}), "0"},
        {Format("%8.2f|", {3.14159}), "    3.14|"},
        {Format("100%% %s", {"ok"}), "100% ok"},
        {Format("%1:s %0:s", {"a", "b"}), "b a"},
        {Format("no args"), "no args"},
    };
    for (const auto& [actual, expected] : cases)
        EXPECT_EQ(actual, expected);
}

TEST(Format, UsesTheUsersDecimalSeparator)
{
    DecimalSeparatorScope comma(u',');
    EXPECT_EQ(Format("%s: %.2f", {"ИТОГ", 12.5}), "ИТОГ: 12,50");
}

TEST(Format, WrongOrMissingArgumentsRaise)
{
    EXPECT_THROW(Format("%d", {1.5}), EConvertError);
    EXPECT_THROW(Format("%s", {1}), EConvertError);
    EXPECT_THROW(Format("%f", {1}), EConvertError);
    EXPECT_THROW(Format("%d %d", {1}), EConvertError);
    EXPECT_THROW(Format("%q", {1}), EConvertError);
    EXPECT_THROW(Format("50%", {}), EConvertError);
}

TEST(Format, CurrencyText)
{
    DecimalSeparatorScope comma(u',');
    const std::vector<std::pair<int64_t, QString>> cases = {
        {1500000, "150"}, {1505000, "150,5"}, {12345, "1,2345"}, {-5000, "-0,5"},
        {-1505000, "-150,5"}, {0, "0"}, {1, "0,0001"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(CurrToStr(value), text) << value;
}
