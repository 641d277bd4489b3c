#pragma once
// TOrvekDevice: a driver object of its own (one per COM search worker).
#include "core/binding/LumaqLib_TLB.h"

#include <cstdint>

namespace Regmaven {

class TOrvekDevice : public TOrvek {
public:
    // Raises Exception "<code>, <ResultCodeDescription>" for a code other than 0.
    void Check(int32_t ResultCode);
};

} // namespace Regmaven
