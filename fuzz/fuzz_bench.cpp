// The bench file reader: any bytes give registers or an error, and the
// first register described is built.
#include "emulator/OrvekBench.h"
#include "platform/Exceptions.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    try {
        std::vector<RegisterConfig> configs = OrvekBench::Parse(QByteArrayView(data, qsizetype(size)), QStringLiteral("fuzz"));
        EmulatedRegister first(std::move(configs.front()));
    } catch (const Exception&) {
        // a refused file
    }
    return 0;
}
