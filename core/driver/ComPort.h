#pragma once
// Serial port helpers.
#include <cstdint>

// Bits per second of the driver's baud-rate code: 0 → 2400, 1 → 4800,
// 2 → 9600, 3 → 19200, 4 → 38400, 5 → 57600, 6 → 115200, 7 → 230400,
// 8 → 460800, 9 → 921600; any other code → 4800.
int32_t IntToBaudRate(int32_t Value);
