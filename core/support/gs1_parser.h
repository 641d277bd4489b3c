#pragma once
// GS1 marking codes: the code class by length, the application identifiers
// the parser understands, where each part of a code starts, and the GTIN.
// Plain C++ on bytes; no read goes past the given length.
#include <QString>

#include <cstddef>
#include <cstdint>

// Byte 29, the group separator that ends a variable value.
constexpr std::uint8_t GS1_GS = 0x1D;

#pragma pack(push, 1)
// What parse_gs1 found; offsets are 0-based indices into the code.
struct TMarkingDesc {
    std::uint8_t is_gtin_present;
    std::uint8_t is_sscc_present;
    std::uint8_t is_serial_present;
    std::uint8_t is_crypto_symmetric;
    std::uint8_t is_crypto_asymmetric;
    std::uint8_t is_crypto_asymmetric_short;
    std::uint8_t is_crypto_tobacco;
    std::uint8_t is_expdate_present;
    std::uint8_t is_crypto_asymmetric_short_legacy;
    std::uint16_t kpkiz_id_offset;
    std::uint16_t kpkiz_sign_offset;
    std::uint16_t kiz_id_offset;
    std::uint16_t expdate_offset;
    std::uint16_t serial_offset;
    std::uint16_t serial_size;
    std::uint16_t up_offset;
    std::uint16_t up_size;
    std::uint16_t data_type;
};
#pragma pack(pop)
static_assert(sizeof(TMarkingDesc) == 27);

// Code classes (data_type).
namespace GS1DataType {
enum : std::uint16_t { EAN8 = 0x4508, EAN13 = 0x450D, ITF14 = 0x490E, Fur = 0x5246, DataMatrix = 0x444D };
}

// Identifier length by its leading two digits; ended by first_digits -1.
struct TGS1TagSize {
    std::int16_t first_digits;
    std::uint8_t size;
};
extern const TGS1TagSize gs1_tag_size_desc[];

// The identifiers parse_gs1 understands; ended by tag -1. For a variable
// identifier size is the longest value.
struct TGS1Tag {
    std::int16_t tag;
    std::uint8_t is_fixed;
    std::uint8_t size;
};
extern const TGS1Tag gs1_tag_desc[];

// Results of gs1_process_ai besides a count to skip.
constexpr int GS1_UNKNOWN_AI = -2;  // 0xFFFE
constexpr int GS1_BAD_LENGTH = -1;  // 0xFFFF

// Results of parse_gs1.
namespace GS1Result {
enum : int { Ok = 0, BadCharacter = 1, BadLength = 3, BadFurCode = 5 };
}

// Digits of the identifier that begins with the digits of value.
std::uint8_t gs1_check_ai_size(std::uint16_t value);
// One identifier whose digits end just before data[pos]: records it in desc
// and returns the characters to skip after it, 0 to end parsing with
// success, GS1_UNKNOWN_AI or GS1_BAD_LENGTH. A variable value stops at a GS,
// at its longest size or at len (then it counts as complete); none left at
// all is a bad length.
int gs1_process_ai(std::uint16_t ai, const std::uint8_t* data, std::size_t len, std::size_t pos, TMarkingDesc& desc);
// The value length of identifiers 21 and 8005.
void gs1_post_process_ai(std::uint16_t ai, TMarkingDesc& desc, std::uint16_t size);
// Fills desc from the first len bytes of data; a GS1Result.
int parse_gs1(const std::uint8_t* data, std::size_t len, TMarkingDesc& desc);

// The 14-digit GTIN of a marking code (identifier 01, or the start of a
// 29-character code), or "" when the code holds none.
QString GetGTIN(const QString& code);
