#include "platform/SerialPorts.h"

#include <QDir>
#include <QFile>
#include <fcntl.h>
#include <unistd.h>

std::vector<TSystemSerialPort> SystemSerialPorts(const QString& sysClassTty)
{
    std::vector<TSystemSerialPort> ports;
    const QDir dir(sysClassTty);
    const QStringList names = dir.entryList({QStringLiteral("ttyS*"), QStringLiteral("ttyUSB*"), QStringLiteral("ttyACM*")},
                                            QDir::Dirs | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& name : names) {
        if (name.startsWith(QLatin1String("ttyS"))) {
            // Legacy ports are listed whether or not a UART is there; type 0 is none.
            QFile type(dir.filePath(name) + QStringLiteral("/type"));
            const QByteArray value = type.open(QIODevice::ReadOnly) ? type.read(16).trimmed() : QByteArray();
            if (value.isEmpty() || value == "0")
                continue;
        }
        ports.push_back({QStringLiteral("/dev/") + name});
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
