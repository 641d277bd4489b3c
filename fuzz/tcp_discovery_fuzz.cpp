// Fuzz entry for the discovery datagram reader: ParseDiscoveryDatagram over
// exactly the given bytes (a copy on the heap, so a read past them shows),
// and the same datagram handed to a discovery twice (one item at most).
#include "regmaven/TCPDeviceSearch.h"

#include <cstdint>
#include <cstring>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    auto bytes = std::make_unique<char[]>(size + 1);
    if (size > 0)
        std::memcpy(bytes.get(), data, size);
    const QByteArray datagram = QByteArray::fromRawData(bytes.get(), qsizetype(size));
    const auto record = Regmaven::ParseDiscoveryDatagram(datagram);
    if (record && (record->Serial.isEmpty() || record->Port < 1 || record->Port > 65535))
        __builtin_trap();
    Regmaven::TTCPDeviceSearch search;
    int found = 0;
    search.OnFound = [&found](Regmaven::TTCPSearchItem*) { ++found; };
    search.HandleDatagram(datagram);
    search.HandleDatagram(datagram);
    if (found != (record ? 1 : 0) || search.Items().GetCount() != found)
        __builtin_trap();
    return 0;
}
