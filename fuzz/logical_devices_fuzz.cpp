// The logical-device file: any bytes give a list whose text reads back the same,
// with no line skipped.
#include "emulator/LogicalDevices.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const LogicalDeviceList list = LogicalDeviceList::Parse(QByteArrayView(data, qsizetype(size)));
    int bad = 0;
    const LogicalDeviceList again = LogicalDeviceList::Parse(list.Text(), &bad);
    if (bad != 0 || again.Devices != list.Devices || again.Active != list.Active)
        std::abort();
    return 0;
}
