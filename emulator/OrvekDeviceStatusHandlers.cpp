// The device's state reset.
#include "emulator/OrvekHandlers.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterReceipt.h"

namespace {
using M = OrvekMethod;

std::int32_t ResetECR(OrvekCall& c)
{
    c.Reg().Area<RegisterReceipt>().Reset();
    return OrvekResult::Ok;
}
} // namespace

void AddDeviceStatusHandlers(OrvekHandlerTable& t)
{
    t.Add(M::ResetECR, OrvekAccess::DeviceNoPassword, 0x1C, &ResetECR);
}
