// Fuzz entry for the firmware image reader: ReadFirmwareImage over the given
// bytes; an image it accepts builds back into the same bytes.
#include "emulator/FirmwareImage.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    FirmwareImage image;
    QString error;
    const bool ok = ReadFirmwareImage(bytes, image, error);
    if (ok == !error.isEmpty())
        __builtin_trap();
    const bool plainVersion = ok && bytes.mid(7, 8) == image.Version.toLatin1().leftJustified(8, '\0');
    if (plainVersion && image.ChecksumMatches() && BuildFirmwareImage(image) != bytes)
        __builtin_trap();
    return 0;
}
