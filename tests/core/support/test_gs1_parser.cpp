#include "core/support/gs1_parser.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <optional>

namespace {
const QString G = QStringLiteral("04600000000012");
const QString GS = QString(QChar(0x1D));

// parse_gs1 over exactly the code's bytes, on the heap, so that a read past
// them shows under the address sanitizer.
int Parse(const QString& code, TMarkingDesc& desc)
{
    const QByteArray latin = code.toLatin1();
    auto bytes = std::make_unique<std::uint8_t[]>(std::size_t(latin.size()));
    std::memcpy(bytes.get(), latin.constData(), std::size_t(latin.size()));
    return parse_gs1(bytes.get(), std::size_t(latin.size()), desc);
}

struct Case {
    QString Code;
    int Result;
    std::uint16_t DataType;
    QString GTIN;
    std::optional<int> SerialOffset = {};
    std::optional<int> SerialSize = {};
    std::optional<int> KpkizOffset = {};
};
} // namespace

TEST(gs1_parser, ParseAndGTIN)
{
    const Case cases[] = {
        {"01" + G + "21" + "5Qbag!" + GS + "93" + "Zjqw", 0, 0x444D, G, 16, 6, 25},
        {"04600000000012ABCDEFGABCDwxyz", 0, 0x444D, G},
        {"4600000000017", 0, 0x450D, ""},
        {G, 0, 0x490E, ""},
        {"46000000", 0, 0x4508, ""},
        {"RU-401301-AAA0277031", 0, 0x5246, ""},
        {"RU-4013010-AA0277031", 5, 0, ""},
        {"0104600000000012X12345", 1, 0x444D, ""},
        {"99abcdefgh", 1, 0x444D, ""},
        {"01" + G + "21" + GS + "93abcd", 3, 0x444D, ""},
        {"01" + G + "21" + QString(20, 'A') + "93abcd", 0, 0x444D, G, 16, 20, 38},
        {"01" + G + "21ABC", 0, 0x444D, G, 16, 3, 0},
        // An identifier with nothing after it.
        {"01" + G + "21", 3, 0x444D, ""},
        // 92 and 93 end parsing, whatever follows.
        {"01" + G + "92" + GS + "xyz", 0, 0x444D, G},
        // Three- and four-digit identifiers.
        {"01" + G + "2401" + GS + "8005123456", 0, 0x444D, G},
        // Codes without identifier 01, and a fixed value cut short.
        {"21" + QStringLiteral("12345678901234567") + GS + "93abcd", 0, 0x444D, "", 0, 17, 20},
        {"0112345678", 0, 0x444D, ""},
        {"00123456789012345678" + QStringLiteral("21X"), 0, 0x444D, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Code.toStdString());
        TMarkingDesc desc;
        EXPECT_EQ(Parse(c.Code, desc), c.Result);
        EXPECT_EQ(+desc.data_type, c.DataType);
        EXPECT_EQ(GetGTIN(c.Code), c.GTIN);
        if (c.SerialOffset) {
            EXPECT_TRUE(desc.is_serial_present);
            EXPECT_EQ(+desc.serial_offset, *c.SerialOffset);
            EXPECT_EQ(+desc.serial_size, *c.SerialSize);
            EXPECT_EQ(+desc.kpkiz_id_offset, *c.KpkizOffset);
        }
    }
}

TEST(gs1_parser, DescribesTheParts)
{
    TMarkingDesc desc;
    ASSERT_EQ(Parse("01" + G + "21" + "5Qbag!" + GS + "93" + "Zjqw", desc), 0);
    EXPECT_TRUE(desc.is_gtin_present);
    EXPECT_TRUE(desc.is_crypto_symmetric);
    EXPECT_FALSE(desc.is_crypto_asymmetric);
    EXPECT_FALSE(desc.is_crypto_tobacco);
    EXPECT_EQ(+desc.kiz_id_offset, 0);

    ASSERT_EQ(Parse("04600000000012ABCDEFGABCDwxyz", desc), 0);
    EXPECT_TRUE(desc.is_crypto_tobacco);

    // 91 is variable with 4 characters at most; 8005 records its third digit.
    ASSERT_EQ(Parse("00123456789012345678" "17" "2512" + GS + "91" "EE06" "8005" "123" + GS + "92sig", desc), 0);
    EXPECT_TRUE(desc.is_sscc_present);
    EXPECT_TRUE(desc.is_expdate_present);
    EXPECT_EQ(+desc.expdate_offset, 20);
    EXPECT_TRUE(desc.is_crypto_asymmetric);
    EXPECT_EQ(+desc.kpkiz_id_offset, 27);
    EXPECT_EQ(+desc.up_offset, 35);
    EXPECT_EQ(+desc.up_size, 3);
    EXPECT_EQ(+desc.kpkiz_sign_offset, 41);
}

TEST(gs1_parser, IdentifierSizes)
{
    EXPECT_EQ(gs1_check_ai_size(1), 2);
    EXPECT_EQ(gs1_check_ai_size(24), 3);
    EXPECT_EQ(gs1_check_ai_size(240), 3);
    EXPECT_EQ(gs1_check_ai_size(80), 4);
    EXPECT_EQ(gs1_check_ai_size(800), 4);
    EXPECT_EQ(gs1_check_ai_size(8005), 4);
    EXPECT_EQ(gs1_check_ai_size(99), 2);
}

TEST(gs1_parser, ShortAndNonLatinCodesHaveNoGTIN)
{
    EXPECT_EQ(GetGTIN("0104600"), "");
    // Cyrillic "а" and "д" are not the digits 0 and 4 their low bytes would be.
    EXPECT_EQ(GetGTIN(QStringLiteral("01ад046000000000") + "21SER" + GS + "93abcd"), "");
    EXPECT_EQ(GetGTIN(QStringLiteral("04600000000012ABCDEFGABCDwxyz").replace(0, 1, QChar(0x0430))), "");
}
