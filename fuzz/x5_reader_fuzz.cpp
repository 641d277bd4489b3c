// Fuzz entry for X5 registration parameters files: the bytes read as a file's
// lines and loaded into a registration record. A file that loads gives one
// tax system and only the four extended work modes its flags name; one that
// does not leaves the record as it was.
#include "platform/Exceptions.h"
#include "regmaven/untRegParams.h"
#include "regmaven/untX5.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList lines = Regmaven::X5LinesOfData(input);
    Regmaven::TRegParams params;
    params.TaxSystem = 255;
    const Regmaven::TRegParams before = params;
    try {
        params.LoadFromX5Lines(lines);
        if (params.TaxSystem == 0 || (params.TaxSystem & (params.TaxSystem - 1)) != 0 || params.TaxSystem > 32 ||
            params.WorkModeEx > 15 || params.Agent > 15 || params.WorkMode > 63)
            __builtin_trap();
    } catch (const Exception&) {
        if (!(params == before))
            __builtin_trap();
    }
    for (const QString& line : lines) {
        const QString key = line.section(u':', 0, 0);
        try {
            Regmaven::X5GetInt(lines, key);
        } catch (const Exception&) {
            // Not a number, or no key at all.
        }
    }
    return 0;
}
