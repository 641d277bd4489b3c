// Fuzz entry for the notification archive reader: LoadFromData over exactly
// the given bytes; a malformed file must raise Exception, a file read must
// be written back byte for byte (its records' numbers aside, which the file
// keeps only for the first and the last).
#include "pages/fn/untFNNotificationArchive.h"
#include "platform/Exceptions.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    TFNNotificationArchive archive(QString(), {}, {}, 0);
    try {
        archive.LoadFromData(bytes);
    } catch (const Exception&) {
        if (archive.Notifications().GetCount() != 0)
            __builtin_trap();
        return 0;
    }
    const QByteArray again = archive.FileData();
    if (again.size() != bytes.size() || archive.Notifications().GetCount() < 1)
        __builtin_trap();
    return 0;
}
