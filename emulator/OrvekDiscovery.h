#pragma once
// The bench's TCP registers announce themselves by UDP, as registers on a
// network do: one datagram per register, "SN:<serial>; IP:<address>;
// port:<port>", sent to 127.0.0.1 only (never broadcast, never to the
// register's own address), so a wizard on this machine finds them.
#include <QByteArray>
#include <QObject>
#include <QTimer>
#include <QUdpSocket>

class EmulatedRegister;

// The datagram a register sends (empty for a register without TCP).
QByteArray OrvekDiscoveryDatagram(const EmulatedRegister& reg);

class OrvekDiscoverySender : public QObject {
    Q_OBJECT
public:
    static constexpr quint16 DefaultPort = 16327;
    // Sends to 127.0.0.1:port at once and then every intervalMs.
    explicit OrvekDiscoverySender(quint16 port = DefaultPort, int intervalMs = 1000, QObject* parent = nullptr);
    // One datagram per TCP register of the bench; returns how many were sent.
    int SendNow();

private:
    QUdpSocket FSocket;
    QTimer FTimer;
    quint16 FPort;
};
