// Fuzz entry for the strict hex reader: the bytes read as Latin-1 and as
// UTF-8 text. A text it takes gives HexToStr's bytes and comes back the
// same from its bytes' hex; a text it refuses names a position inside it and gives no bytes.
#include "core/support/BinUtils.h"
#include "core/support/StrictHex.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto* chars = reinterpret_cast<const char*>(data);
    for (const QString& text : {QString::fromLatin1(chars, qsizetype(size)), QString::fromUtf8(chars, qsizetype(size))}) {
        const THexParse parsed = ParseHexStrict(text);
        if (parsed.Ok) {
            if (parsed.Bytes != HexToStr(text))
                __builtin_trap();
            const THexParse again = ParseHexStrict(StrToHex(parsed.Bytes));
            if (!again.Ok || again.Bytes != parsed.Bytes)
                __builtin_trap();
        } else if (parsed.ErrorPosition < 1 || parsed.ErrorPosition > text.size() || !parsed.Bytes.isEmpty() ||
                   parsed.BadGroup.isEmpty()) {
            __builtin_trap();
        }
    }
    return 0;
}
