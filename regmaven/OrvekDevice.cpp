#include "regmaven/OrvekDevice.h"

#include "core/support/Format.h"
#include "platform/Exceptions.h"

namespace Regmaven {

void TOrvekDevice::Check(int32_t ResultCode)
{
    if (ResultCode != 0)
        throw Exception(Format("%d, %s", {ResultCode, ResultCodeDescription()}));
}

} // namespace Regmaven
