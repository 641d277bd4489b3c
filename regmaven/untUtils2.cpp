#include "regmaven/untUtils2.h"

#include <array>
#include <cstddef>

namespace Regmaven {

namespace {
constexpr std::array<int, 10> Baudrates = {2400, 4800, 9600, 19200, 38400, 57600, 115200, 230400, 460800, 921600};
constexpr int DefaultCode = 6;
} // namespace

int TOrvekBaudrate::BaudrateToCode(int Baudrate)
{
    for (std::size_t code = 0; code < Baudrates.size(); ++code)
        if (Baudrates[code] == Baudrate)
            return int(code);
    return DefaultCode;
}

int TOrvekBaudrate::CodeToBaudrate(int Code)
{
    if (Code < 0 || Code >= int(Baudrates.size()))
        return Baudrates[DefaultCode];
    return Baudrates[Code];
}

} // namespace Regmaven
