// Fuzz entry for the emulated FN's TLV parser (FNSendTLV): data it takes is
// exactly its tags' TLV again; data it refuses gets an offset inside the
// data and a reason.
#include "emulator/RegisterOFD.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const TLVParse parsed = RegisterOFD::ParseTLV(bytes);
    if (parsed.Ok) {
        QByteArray again;
        for (const FNTag& tag : parsed.Tags)
            again += tag.Tlv();
        if (again != bytes)
            __builtin_trap();
    } else if (parsed.ErrorOffset < 0 || parsed.ErrorOffset > bytes.size() || parsed.Error.isEmpty() ||
               !parsed.Tags.empty()) {
        __builtin_trap();
    }
    return 0;
}
