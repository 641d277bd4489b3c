#pragma once
// The driver's baud-rate codes.
namespace Regmaven {

class TOrvekBaudrate {
public:
    // 2400 -> 0 ... 921600 -> 9; 115200 and any other value -> 6.
    static int BaudrateToCode(int Baudrate);
    // The reverse; 6 and any unknown code -> 115200.
    static int CodeToBaudrate(int Code);
};

} // namespace Regmaven
