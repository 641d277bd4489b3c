#include "core/driver/ComPort.h"

#include <iterator>

int32_t IntToBaudRate(int32_t Value)
{
    static constexpr int32_t Rates[] = {2400, 4800, 9600, 19200, 38400, 57600, 115200, 230400, 460800, 921600};
    return Value >= 0 && Value < int32_t(std::size(Rates)) ? Rates[Value] : 4800;
}
