#pragma once
// The computer's own serial ports, from the kernel's tty list: ttyS* that have
// a UART, and ttyUSB* / ttyACM* on a USB device.
#include <QString>
#include <vector>

struct TSystemSerialPort {
    QString Name;        // "ttyUSB0"
    QString Device;      // "/dev/ttyUSB0"
    int ComNumber = -1;  // ComNumberOfTty(Name)
    bool Usb = false;
    QString Product;     // the USB device's product name, may be empty
    QString VendorId;    // the USB ids as the kernel lists them ("0483")
    QString ProductId;
};

// Ascending by name; sysClassTty is where the kernel lists its ttys.
std::vector<TSystemSerialPort> ListSerialPorts(const QString& sysClassTty = QStringLiteral("/sys/class/tty"));
// The COM number a tty name stands for: ttySn is COMn+1, ttyUSBn COMn+33 and
// ttyACMn COMn+65; -1 for other names.
int ComNumberOfTty(const QString& TtyName);

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
