#pragma once
// UDP discovery of the registers on the local network: registers announce
// themselves with datagrams "SN:<serial>;IP:<address>;port:<port>" (each
// field its key, one separator character and the value; fields separated by
// ";" and an optional blank). Datagrams are read on the UI thread; each
// serial is listed once per listening period. The list holds at most
// MaxItems registers: the one announced least recently makes room for a new
// one; at most MaxDatagramsPerSecond datagrams are taken in, the rest dropped.
#include <QElapsedTimer>
#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QUdpSocket>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace Regmaven {

class TTCPSearchItems;

class TTCPSearchItem {
public:
    explicit TTCPSearchItem(TTCPSearchItems* Owner = nullptr) : FOwner(Owner) {}
    TTCPSearchItems* Owner() const { return FOwner; }

    QString FSerial;
    int FPort = 0;
    QString FIP;

private:
    TTCPSearchItems* FOwner;
};

class TTCPSearchItems {
public:
    int GetCount() const { return int(FList.size()); }
    TTCPSearchItem* GetItem(int Index) const { return FList.at(std::size_t(Index)).get(); }
    // A new empty item, owned by the list.
    TTCPSearchItem* Add();
    // The first item with exactly this serial; nullptr if none.
    TTCPSearchItem* FindBySerial(const QString& Serial) const;
    // Moves the item to the end of the list (the most recent).
    void MoveLast(TTCPSearchItem* Item);
    // Frees the item.
    void Remove(TTCPSearchItem* Item);
    void Clear() { FList.clear(); }

private:
    std::vector<std::unique_ptr<TTCPSearchItem>> FList;
};

// The fields of one datagram.
struct TDiscoveryRecord {
    QString Serial;
    QString IP;
    int Port = 0;
};

// Reads a datagram (each byte one character) field by field, by key ("SN",
// "IP", "port", case-sensitive), in any order. Nothing when a field is
// missing or empty, the address is not IPv4 or the port is not a decimal
// number from 1 to 65535.
std::optional<TDiscoveryRecord> ParseDiscoveryDatagram(const QByteArray& Datagram);

// Where the discovery listens: port 16327 of every IPv4 address, unless a
// test installs another (127.0.0.1 and port 0, the system's choice).
struct TDiscoveryEndpoint {
    QHostAddress Address = QHostAddress(QHostAddress::AnyIPv4);
    quint16 Port = 16327;
};
TDiscoveryEndpoint DiscoveryEndpoint();
// Returns the one before; discoveries created afterwards use it.
TDiscoveryEndpoint SetDiscoveryEndpoint(const TDiscoveryEndpoint& Endpoint);

class TTCPDeviceSearch : public QObject {
    Q_OBJECT
public:
    using TOnFoundProc = std::function<void(TTCPSearchItem* Item)>;
    static constexpr int MaxItems = 256;
    static constexpr int MaxDatagramsPerSecond = 200;

    // Not listening yet; the endpoint is DiscoveryEndpoint()'s.
    TTCPDeviceSearch();
    ~TTCPDeviceSearch() override;

    // Starts listening: false, with the reason in Error(), when the port
    // cannot be bound.
    bool Start();
    // Stops listening and frees the found items.
    void Stop();
    bool Active() const;
    // The port listened on (the system's choice for port 0); 0 when not listening.
    quint16 Port() const;
    QString Error() const { return FError; }

    // One received datagram: a new serial becomes an item and is reported
    // (with a full list the least recent item is reported lost and freed
    // first); a known serial becomes the most recent.
    void HandleDatagram(const QByteArray& Datagram);

    TTCPSearchItems& Items() { return FItems; }
    TOnFoundProc OnFound;
    // An item about to be freed to make room.
    TOnFoundProc OnLost;

private:
    void ReadPending();

    TDiscoveryEndpoint FEndpoint;
    std::unique_ptr<QUdpSocket> FServer;
    TTCPSearchItems FItems;
    QString FError;
    QElapsedTimer FSecond;   // the current second of the datagram budget
    int FTaken = 0;          // datagrams taken in during it
};

} // namespace Regmaven
