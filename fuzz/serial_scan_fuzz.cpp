// Fuzz entry for the scanned-text reader of the serial number page:
// ExtractSerial over the bytes as Latin-1 and as UTF-8 text. The number it
// takes out is never longer than the text, and a text with nothing that
// separates items comes back unchanged.
#include "regmaven/fmuSerial.h"

#include <algorithm>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto* chars = reinterpret_cast<const char*>(data);
    for (const QString& text : {QString::fromLatin1(chars, qsizetype(size)), QString::fromUtf8(chars, qsizetype(size))}) {
        const QString serial = Regmaven::ExtractSerial(text);
        if (serial.size() > text.size())
            __builtin_trap();
        const bool oneItem = std::none_of(text.begin(), text.end(), [](QChar c) {
            return c == u';' || c == u'"' || c.unicode() <= u' ';
        });
        if (oneItem && serial != text)
            __builtin_trap();
        Regmaven::IsEmptySerial(serial);
    }
    return 0;
}
