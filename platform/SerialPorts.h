#pragma once
// The computer's own serial ports: /dev/ttyS* that have a UART, ttyUSB*, ttyACM*.
#include <QString>
#include <vector>

struct TSystemSerialPort {
    QString Device;   // "/dev/ttyUSB0"
};

// Ascending by name; sysClassTty is where the kernel lists its ttys.
std::vector<TSystemSerialPort> SystemSerialPorts(const QString& sysClassTty = QStringLiteral("/sys/class/tty"));

// A serial port opened for reading only (never written to), closed on destruction.
class TSerialPortReader {
public:
    explicit TSerialPortReader(const QString& device);
    ~TSerialPortReader();
    TSerialPortReader(const TSerialPortReader&) = delete;
    TSerialPortReader& operator=(const TSerialPortReader&) = delete;
    bool IsOpen() const { return FFd >= 0; }

private:
    int FFd = -1;
};
