#include "regmaven/TCPDeviceSearch.h"

#include "platform/Guard.h"
#include "platform/Hook.h"

#include <QNetworkDatagram>
#include <algorithm>

namespace Regmaven {

namespace {

THook<TDiscoveryEndpoint>& EndpointHook()
{
    static THook<TDiscoveryEndpoint> hook{TDiscoveryEndpoint{}};
    return hook;
}

// Longer datagrams are cut here; the three fields fit many times over.
constexpr qint64 MaxDatagramSize = 1024;
// Datagrams read per wake-up of the socket; the rest wait for the next turn of the event loop.
constexpr int MaxDatagramsPerRead = 64;

} // namespace

TTCPSearchItem* TTCPSearchItems::Add()
{
    FList.push_back(std::make_unique<TTCPSearchItem>(this));
    return FList.back().get();
}

TTCPSearchItem* TTCPSearchItems::FindBySerial(const QString& Serial) const
{
    for (const auto& item : FList)
        if (item->FSerial == Serial)
            return item.get();
    return nullptr;
}

void TTCPSearchItems::MoveLast(TTCPSearchItem* Item)
{
    const auto at = std::find_if(FList.begin(), FList.end(), [Item](const auto& item) { return item.get() == Item; });
    if (at != FList.end())
        std::rotate(at, at + 1, FList.end());
}

void TTCPSearchItems::Remove(TTCPSearchItem* Item)
{
    std::erase_if(FList, [Item](const auto& item) { return item.get() == Item; });
}

std::optional<TDiscoveryRecord> ParseDiscoveryDatagram(const QByteArray& Datagram)
{
    const QString text = QString::fromLatin1(Datagram);
    std::optional<QString> serial, ip, port;
    for (const QString& part : text.split(QLatin1Char(';'))) {
        const QString field = part.trimmed();
        // The key, one separator character, the value.
        auto take = [&field](const char* key, std::optional<QString>& value) {
            const QLatin1StringView k(key);
            if (!value && field.startsWith(k) && field.size() > k.size())
                value = field.mid(k.size() + 1).trimmed();
        };
        if (field.startsWith(QLatin1String("port")))
            take("port", port);
        else if (field.startsWith(QLatin1String("SN")))
            take("SN", serial);
        else if (field.startsWith(QLatin1String("IP")))
            take("IP", ip);
    }
    if (!serial || !ip || !port || serial->isEmpty())
        return std::nullopt;
    QHostAddress address;
    if (!address.setAddress(*ip) || address.protocol() != QAbstractSocket::IPv4Protocol)
        return std::nullopt;
    bool ok = false;
    const int number = port->toInt(&ok, 10);
    if (!ok || number < 1 || number > 65535 || !(*port)[0].isDigit())
        return std::nullopt;
    return TDiscoveryRecord{*serial, *ip, number};
}

TDiscoveryEndpoint DiscoveryEndpoint()
{
    return EndpointHook().Get();
}

TDiscoveryEndpoint SetDiscoveryEndpoint(const TDiscoveryEndpoint& Endpoint)
{
    return EndpointHook().Set(Endpoint);
}

TTCPDeviceSearch::TTCPDeviceSearch() : FEndpoint(DiscoveryEndpoint()) {}

TTCPDeviceSearch::~TTCPDeviceSearch()
{
    FItems.Clear();
    FServer.reset();
}

bool TTCPDeviceSearch::Start()
{
    if (Active())
        return true;
    FError.clear();
    auto server = std::make_unique<QUdpSocket>();
    if (!server->bind(FEndpoint.Address, FEndpoint.Port)) {
        FError = QStringLiteral("Поиск по UDP недоступен: порт %1 не открывается (%2)")
                     .arg(FEndpoint.Port)
                     .arg(server->errorString());
        return false;
    }
    connect(server.get(), &QUdpSocket::readyRead, this, Guarded([this] { ReadPending(); }));
    FServer = std::move(server);
    return true;
}

void TTCPDeviceSearch::Stop()
{
    FServer.reset();
    FItems.Clear();
}

bool TTCPDeviceSearch::Active() const
{
    return FServer != nullptr;
}

quint16 TTCPDeviceSearch::Port() const
{
    return FServer ? FServer->localPort() : 0;
}

void TTCPDeviceSearch::ReadPending()
{
    for (int i = 0; i < MaxDatagramsPerRead && FServer && FServer->hasPendingDatagrams(); ++i) {
        const QByteArray datagram = FServer->receiveDatagram(MaxDatagramSize).data();
        if (!FSecond.isValid() || FSecond.elapsed() >= 1000) {
            FSecond.start();
            FTaken = 0;
        }
        if (FTaken < MaxDatagramsPerSecond) {
            ++FTaken;
            HandleDatagram(datagram);
        }
    }
}

void TTCPDeviceSearch::HandleDatagram(const QByteArray& Datagram)
{
    const std::optional<TDiscoveryRecord> record = ParseDiscoveryDatagram(Datagram);
    if (!record)
        return;
    if (TTCPSearchItem* known = FItems.FindBySerial(record->Serial)) {
        FItems.MoveLast(known);
        return;
    }
    if (FItems.GetCount() >= MaxItems) {
        TTCPSearchItem* oldest = FItems.GetItem(0);
        if (OnLost)
            OnLost(oldest);
        FItems.Remove(oldest);
    }
    TTCPSearchItem* item = FItems.Add();
    item->FSerial = record->Serial;
    item->FIP = record->IP;
    item->FPort = record->Port;
    if (OnFound)
        OnFound(item);
}

} // namespace Regmaven
