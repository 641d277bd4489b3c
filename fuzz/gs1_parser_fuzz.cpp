// Fuzz entry for the GS1 marking-code parser: parse_gs1 over exactly the
// given bytes (a copy on the heap, so a read past them shows) and GetGTIN of
// the same bytes read as Latin-1 and as UTF-8.
#include "core/support/gs1_parser.h"

#include <cstdint>
#include <cstring>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    auto bytes = std::make_unique<std::uint8_t[]>(size);
    if (size > 0)
        std::memcpy(bytes.get(), data, size);
    TMarkingDesc desc;
    const int result = parse_gs1(bytes.get(), size, desc);
    if (result != 0 && result != 1 && result != 3 && result != 5)
        __builtin_trap();
    const auto* chars = reinterpret_cast<const char*>(bytes.get());
    for (const QString& code : {QString::fromLatin1(chars, qsizetype(size)), QString::fromUtf8(chars, qsizetype(size))}) {
        const QString gtin = GetGTIN(code);
        if (!gtin.isEmpty() && gtin.size() != 14)
            __builtin_trap();
    }
    return 0;
}
