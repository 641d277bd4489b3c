#include "emulator/RegisterNetwork.h"

namespace {
constexpr int NetworkTable = 16;
constexpr int LinkTable = 21;
} // namespace

RegisterNetwork::RegisterNetwork(EmulatedRegister& reg) : FRegister(reg)
{
    const int delay = reg.Config().DHCPDelayMs;
    if (delay < 0)
        FScript.When = DHCPScript::Never;
    else if (delay > 0)
        FScript = {DHCPScript::AfterDelay, delay};
    FSince.start();
}

void RegisterNetwork::SetDHCP(DHCPScript script)
{
    FScript = script;
    FSince.restart();
    DHCPState();
}

bool RegisterNetwork::HasLink() const
{
    return !FRegister.Config().TypeTwo;
}

int RegisterNetwork::DHCPState()
{
    if (!HasLink())
        return FScript.PendingState;
    bool obtained = false;
    switch (FScript.When) {
    case DHCPScript::Ready: obtained = true; break;
    case DHCPScript::AfterDelay: obtained = FSince.elapsed() >= FScript.DelayMs; break;
    case DHCPScript::Never: break;
    }
    const int state = obtained ? DHCPObtained : FScript.PendingState;
    FRegister.Tables().SetValue(NetworkTable, 1, 2, state);
    return state;
}

bool RegisterNetwork::LinkAddress(QString& host, int& port)
{
    if (!HasLink())
        return false;
    RegisterTables& t = FRegister.Tables();
    const bool dhcp = t.Value(NetworkTable, 1, 1).toInt() == 0;
    if (dhcp && DHCPState() != DHCPObtained)
        return false;
    QStringList octets;
    for (int field = 3; field <= 6; ++field)
        octets << QString::number(t.Value(NetworkTable, 1, field).toInt());
    host = octets.join(QLatin1Char('.'));
    port = t.Value(LinkTable, 1, 4).toInt();
    return true;
}
