#include "platform/SerialPorts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <fcntl.h>
#include <unistd.h>

namespace {
QString ReadSysFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.read(256)).trimmed();
}

// The USB device above a tty's device: the first folder with idVendor and idProduct.
QString UsbDeviceFolder(const QString& ttyFolder)
{
    QString folder = QFileInfo(ttyFolder + "/device").canonicalFilePath();
    for (int level = 0; level < 8 && folder.size() > 1; ++level) {
        if (QFile::exists(folder + "/idVendor") && QFile::exists(folder + "/idProduct"))
            return folder;
        folder = QFileInfo(folder).path();
    }
    return {};
}
} // namespace

int ComNumberOfTty(const QString& TtyName)
{
    static const QRegularExpression pattern(QStringLiteral("^tty(S|USB|ACM)(\\d{1,3})$"));
    const QRegularExpressionMatch m = pattern.match(TtyName);
    if (!m.hasMatch())
        return -1;
    const int n = m.captured(2).toInt();
    const QString kind = m.captured(1);
    return n + (kind == QLatin1String("S") ? 1 : kind == QLatin1String("USB") ? 33 : 65);
}

std::vector<TSystemSerialPort> ListSerialPorts(const QString& sysClassTty)
{
    std::vector<TSystemSerialPort> ports;
    const QDir dir(sysClassTty);
    const QStringList names = dir.entryList({QStringLiteral("ttyS*"), QStringLiteral("ttyUSB*"), QStringLiteral("ttyACM*")},
                                            QDir::Dirs | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& name : names) {
        TSystemSerialPort port;
        port.Name = name;
        port.Device = QStringLiteral("/dev/") + name;
        port.ComNumber = ComNumberOfTty(name);
        if (port.ComNumber < 0)
            continue;
        const QString folder = dir.filePath(name);
        if (name.startsWith(QLatin1String("ttyS"))) {
            // Legacy ports are listed whether or not a UART is there; type 0 is none.
            const QString type = ReadSysFile(folder + "/type");
            if (type.isEmpty() || type == QLatin1String("0"))
                continue;
        } else {
            const QString usb = UsbDeviceFolder(folder);
            if (usb.isEmpty())
                continue;
            port.Usb = true;
            port.Product = ReadSysFile(usb + "/product");
            port.VendorId = ReadSysFile(usb + "/idVendor");
            port.ProductId = ReadSysFile(usb + "/idProduct");
        }
        ports.push_back(port);
    }
    return ports;
}

TSerialPortReader::TSerialPortReader(const QString& device)
    : FFd(open(QFile::encodeName(device).constData(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC))
{
}

TSerialPortReader::~TSerialPortReader()
{
    if (FFd >= 0)
        close(FFd);
}
