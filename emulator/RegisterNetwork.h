#pragma once
// The register's own network link to the OFD as its tables set it: table 16
// (static or DHCP address, the DHCP state in field 2, address, mask, gateway
// and DNS octets), table 21 (the link's TCP port in field 4, Wi-Fi and RNDIS
// switches) and table 22 (the Wi-Fi address texts).
//
// The DHCP state (table 16 field 2) follows a script: ready at once (10), ready
// after a delay, or never (it keeps PendingState); the register's configuration
// (the bench file's "dhcp") gives the first one, counted from the area's creation. Another driver object
// reaches the register over TCP at its link address once it has one.
//
//   auto& net = TestRegister().Area<RegisterNetwork>();
//   net.SetDHCP({DHCPScript::Never});
//   net.SetDHCP({DHCPScript::AfterDelay, 150});   // ready 150 ms from now
#include "emulator/EmulatedRegister.h"

#include <QElapsedTimer>
#include <QString>

struct DHCPScript {
    enum Kind { Ready, AfterDelay, Never };
    Kind When = Ready;
    int DelayMs = 0;       // AfterDelay: from SetDHCP on
    int PendingState = 1;  // the state until the address is obtained
};

class RegisterNetwork : public RegisterArea {
public:
    // The DHCP state of an obtained address.
    static constexpr int DHCPObtained = 10;

    explicit RegisterNetwork(EmulatedRegister& reg);

    // Replaces the script; a delay counts from now.
    void SetDHCP(DHCPScript script);
    DHCPScript DHCP() const { return FScript; }
    // The newer generation (RegisterConfig::TypeTwo) has no network link tables.
    bool HasLink() const;
    // The state now (also put into table 16 field 2).
    int DHCPState();
    // The link's address "a.b.c.d" (table 16 fields 3 to 6) and TCP port
    // (table 21 field 4); false while DHCP is chosen and no address obtained yet.
    bool LinkAddress(QString& host, int& port);

private:
    EmulatedRegister& FRegister;
    DHCPScript FScript;
    QElapsedTimer FSince;
};
