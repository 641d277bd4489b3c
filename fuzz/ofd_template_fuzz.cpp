// Fuzz entry for OFD parameter templates: the bytes read as a template; a
// template that reads writes back to a document that reads the same.
#include "platform/Exceptions.h"
#include "regmaven/untOFDTemplate.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        const Regmaven::TOFDTemplate read = Regmaven::ReadOFDTemplate(input);
        if (!(Regmaven::ReadOFDTemplate(Regmaven::WriteOFDTemplate(read)) == read))
            __builtin_trap();
    } catch (const Exception&) {
        // A bad file is reported, not read.
    }
    return 0;
}
