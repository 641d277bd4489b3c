#include "emulator/OrvekDiscovery.h"

#include "emulator/EmulatedRegister.h"
#include "emulator/OrvekBench.h"

#include <QHostAddress>

QByteArray OrvekDiscoveryDatagram(const EmulatedRegister& reg)
{
    const RegisterConfig& c = reg.Config();
    if (c.Host.isEmpty() || c.TcpPort <= 0)
        return {};
    return QStringLiteral("SN:%1; IP:%2; port:%3").arg(c.Serial, c.Host).arg(c.TcpPort).toLatin1();
}

OrvekDiscoverySender::OrvekDiscoverySender(quint16 port, int intervalMs, QObject* parent)
    : QObject(parent), FPort(port)
{
    connect(&FTimer, &QTimer::timeout, this, [this] { SendNow(); });
    FTimer.start(intervalMs);
    QTimer::singleShot(0, this, [this] { SendNow(); });
}

int OrvekDiscoverySender::SendNow()
{
    int sent = 0;
    for (const auto& reg : Bench().Registers()) {
        const QByteArray datagram = OrvekDiscoveryDatagram(*reg);
        if (!datagram.isEmpty() && FSocket.writeDatagram(datagram, QHostAddress(QHostAddress::LocalHost), FPort) >= 0)
            ++sent;
    }
    return sent;
}
