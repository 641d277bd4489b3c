#pragma once
// The driver object of LumaqTst: one TDriver behind Driver(), created on
// first use and released by FreeDriver().
#include "core/driver/LumaqLib_TLB.h"

class TDriver : public TOrvek {
public:
    TDriver();
    ~TDriver() override;

    // Raises the silent abort when ResultCode is not 0; reads no property.
    static void Check(std::int32_t ResultCode);
};

// The driver object; created on the first call. A failed creation raises the
// error with "Ошибка создания объекта драйвера: " in front of its message and
// leaves no object, so the next call tries again.
TDriver& Driver();
// True when the driver object exists; never creates it.
bool DriverExists();
// Destroys the driver object (nothing without one).
void FreeDriver();
