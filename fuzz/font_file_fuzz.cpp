// Fuzz entry for the font file reader (LoadFont): ReadFontFile over the given
// bytes; an accepted font has sizes of 1 to 64 dots and all 256 glyphs.
#include "emulator/FontFile.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FontFile font;
    QString error;
    if (ReadFontFile(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), font, error)) {
        if (font.CharWidth < 1 || font.CharWidth > 64 || font.CharHeight < 1 || font.CharHeight > 64 ||
            font.Glyphs.size() != 256 * font.CharHeight * ((font.CharWidth + 7) / 8))
            __builtin_trap();
    } else if (error.isEmpty()) {
        __builtin_trap();
    }
    return 0;
}
