#pragma once
// The computer's serial ports (TSerialPorts.EnumPorts) from the port
// sources: each source lists devices of the port class with their friendly
// name ("... (COM3)") and hardware id ("USB\VID_0483&PID_5740"). The program
// installs its sources (this machine's serial ports, the emulated bench);
// tests install fakes.
#include "platform/SerialPorts.h"

#include <QList>
#include <QString>
#include <functional>

namespace Regmaven {

struct TPortDevice {
    QString FriendlyName;
    QString HWStr;
};
using TPortSource = std::function<QList<TPortDevice>()>;

// The sources EnumPorts reads, in order; returns the ones before.
QList<TPortSource> SetPortSources(const QList<TPortSource>& Sources);

// This machine's serial ports (platform/SerialPorts.h) as port devices,
// named by their COM numbers; USB ports carry their vendor and product ids.
QList<TPortDevice> SystemSerialPorts(const QString& SysClassTty = QStringLiteral("/sys/class/tty"));

// The number in "(COM<n>)" of a friendly name; -1 with "(LPT", without
// "(COM", without ")" after it or without a number.
int ComNumberOf(const QString& FriendlyName);
// The four hex digits after "vid_" / "pid_" (looked for in lower case); 0
// when absent or not hex. The product id is read only when "vid_" is there.
int VendorIdOf(const QString& HWStr);
int ProductIdOf(const QString& HWStr);

struct TSerialPortRec {
    QString Name;          // "COM" and the number
    QString FriendlyName;  // trailing blanks removed
    QString HWStr;         // trailing blanks removed
    int ComNumber = -1;
    int VendorId() const { return VendorIdOf(HWStr); }
    int ProductId() const { return ProductIdOf(HWStr); }
};

class TSerialPorts : public QList<TSerialPortRec> {
public:
    // Fills the list from the sources: every device with a COM number, once
    // per number (the first source that names it), with debug lines in the log.
    void EnumPorts();
};

} // namespace Regmaven
