#include "core/support/gs1_parser.h"

#include <QVarLengthArray>

#include <cstring>

const TGS1TagSize gs1_tag_size_desc[] = {
    {24, 3}, {25, 3}, {40, 3}, {41, 3}, {70, 4}, {80, 4}, {-1, 0},
};

const TGS1Tag gs1_tag_desc[] = {
    {0, 1, 18},    {1, 1, 14},    {2, 1, 14},    {10, 0, 20},   {11, 1, 6},    {13, 1, 6},   {15, 1, 6},
    {17, 0, 6},    {21, 0, 20},   {240, 0, 30},  {250, 0, 30},  {253, 0, 30},  {30, 0, 8},   {37, 0, 8},
    {402, 1, 17},  {410, 1, 13},  {411, 1, 13},  {412, 1, 13},  {413, 1, 13},  {414, 1, 13}, {7003, 0, 10},
    {8005, 0, 6},  {91, 0, 4},    {92, 0, 88},   {93, 0, 4},    {94, 1, 1},    {-1, 0, 0},
};

namespace {
// Rows of gs1_tag_desc looked at, the end row included.
constexpr int TagRowsSearched = 27;
// A variable value longer than this is a bad length, whatever its size.
constexpr std::size_t LongestValue = 128;

const TGS1Tag* FindTag(std::uint16_t ai)
{
    for (int i = 0; i < TagRowsSearched && gs1_tag_desc[i].tag != -1; ++i)
        if (gs1_tag_desc[i].tag == ai)
            return &gs1_tag_desc[i];
    return nullptr;
}

bool IsDigit(std::uint8_t b)
{
    return b >= '0' && b <= '9';
}

// The GTIN's 14 characters from `from` when they are all there and ASCII digits.
QString DigitsAt(const QString& code, qsizetype from)
{
    constexpr qsizetype GTINSize = 14;
    if (from < 0 || from + GTINSize > code.size())
        return {};
    for (qsizetype i = from; i < from + GTINSize; ++i)
        if (code[i] < QLatin1Char('0') || code[i] > QLatin1Char('9'))
            return {};
    return code.mid(from, GTINSize);
}
} // namespace

std::uint8_t gs1_check_ai_size(std::uint16_t value)
{
    if (value >= 1000)
        value /= 100;
    if (value >= 100)
        value /= 10;
    for (const TGS1TagSize* row = gs1_tag_size_desc; row->first_digits != -1; ++row)
        if (row->first_digits == value)
            return row->size;
    return 2;
}

void gs1_post_process_ai(std::uint16_t ai, TMarkingDesc& desc, std::uint16_t size)
{
    if (ai == 21)
        desc.serial_size = size;
    else if (ai == 8005)
        desc.up_size = size;
}

int gs1_process_ai(std::uint16_t ai, const std::uint8_t* data, std::size_t len, std::size_t pos, TMarkingDesc& desc)
{
    const TGS1Tag* tag = FindTag(ai);
    if (!tag)
        return GS1_UNKNOWN_AI;
    const auto p = std::uint16_t(pos - 2);
    switch (ai) {
    case 0: desc.is_sscc_present = 1; desc.kiz_id_offset = p; break;
    case 1: desc.is_gtin_present = 1; desc.kiz_id_offset = p; break;
    case 17: desc.is_expdate_present = 1; desc.expdate_offset = p; break;
    case 21: desc.is_serial_present = 1; desc.serial_offset = p; break;
    case 91: desc.is_crypto_asymmetric = 1; desc.kpkiz_id_offset = p; break;
    case 92: desc.kpkiz_sign_offset = p; return 0;
    case 93: desc.is_crypto_symmetric = 1; desc.kpkiz_id_offset = p; return 0;
    case 8005: desc.up_offset = p; break;
    default: break;
    }
    if (tag->is_fixed) {
        gs1_post_process_ai(ai, desc, tag->size);
        return tag->size;
    }
    for (std::size_t j = 0;;) {
        // The end of the data ends the value; none at all is a bad length.
        if (pos + j >= len) {
            if (j == 0)
                return GS1_BAD_LENGTH;
            gs1_post_process_ai(ai, desc, std::uint16_t(j));
            return int(j);
        }
        if (data[pos + j] == GS1_GS) {
            if (j == 0)
                return GS1_BAD_LENGTH;
            gs1_post_process_ai(ai, desc, std::uint16_t(j));
            return int(j + 1);
        }
        if (tag->size != 0 && j == tag->size) {
            gs1_post_process_ai(ai, desc, std::uint16_t(j));
            return int(j);
        }
        if (++j == LongestValue)
            return GS1_BAD_LENGTH;
    }
}

int parse_gs1(const std::uint8_t* data, std::size_t len, TMarkingDesc& desc)
{
    std::memset(&desc, 0, sizeof desc);
    switch (len) {
    case 8: desc.data_type = GS1DataType::EAN8; return GS1Result::Ok;
    case 13: desc.data_type = GS1DataType::EAN13; return GS1Result::Ok;
    case 14: desc.data_type = GS1DataType::ITF14; return GS1Result::Ok;
    case 29:
        desc.is_crypto_tobacco = 1;
        desc.data_type = GS1DataType::DataMatrix;
        return GS1Result::Ok;
    case 20:
        if (data[2] != '-' || data[9] != '-')
            return GS1Result::BadFurCode;
        desc.data_type = GS1DataType::Fur;
        return GS1Result::Ok;
    default: break;
    }
    desc.data_type = GS1DataType::DataMatrix;
    int count = 0;
    std::uint16_t value = 0;
    for (std::size_t i = 0; i < len;) {
        const std::uint8_t b = data[i];
        if (!IsDigit(b))
            return GS1Result::BadCharacter;
        const auto digit = std::uint16_t(b - '0');
        ++i;
        if (count == 0) {
            value = digit;
            count = 1;
            continue;
        }
        value = std::uint16_t(value * 10 + digit);
        if (gs1_check_ai_size(value) != count + 1) {
            ++count;
            continue;
        }
        const int r = gs1_process_ai(value, data, len, i, desc);
        if (r == GS1_UNKNOWN_AI)
            return GS1Result::BadCharacter;
        if (r == GS1_BAD_LENGTH)
            return GS1Result::BadLength;
        if (r == 0)
            return GS1Result::Ok;
        i += std::size_t(r);
        count = 0;
    }
    return GS1Result::Ok;
}

QString GetGTIN(const QString& code)
{
    if (code.size() < 8)
        return {};
    // One byte per character; a character above U+00FF is never a digit or a GS.
    QVarLengthArray<std::uint8_t, 256> bytes(code.size());
    for (qsizetype i = 0; i < code.size(); ++i) {
        const char16_t c = code[i].unicode();
        bytes[i] = c > 0xFF ? 0xFF : std::uint8_t(c);
    }
    TMarkingDesc desc;
    if (parse_gs1(bytes.data(), std::size_t(bytes.size()), desc) != GS1Result::Ok ||
        desc.data_type != GS1DataType::DataMatrix)
        return {};
    if (desc.is_crypto_tobacco)
        return DigitsAt(code, 0);
    if (!desc.is_gtin_present)
        return {};
    return DigitsAt(code, qsizetype(desc.kiz_id_offset) + 2);
}
