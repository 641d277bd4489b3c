// Connection, port lock and device search.
#include "emulator/EmulatedOrvek.h"
#include "emulator/OrvekBench.h"
#include "emulator/OrvekHandlers.h"
#include "emulator/OrvekResultCodes.h"

namespace {
using P = OrvekProp;
using M = OrvekMethod;

// The register's exchange settings per interface (0 RS-232, 1 USB, 2 TCP, 3 I2C).
struct ExchangeSettings : RegisterArea {
    struct Port {
        int Timeout = 100;
        int TcpPort = 0;
    };
    Port Ports[4];
};

std::int32_t Connect(OrvekCall&)
{
    return OrvekResult::Ok;  // the dispatcher connected
}

std::int32_t Disconnect(OrvekCall& c)
{
    c.Driver.DisconnectNow();
    return OrvekResult::Ok;
}

std::int32_t WaitConnection(OrvekCall&)
{
    return OrvekResult::Ok;
}

std::int32_t LockPort(OrvekCall& c)
{
    c.Reg().SetPortOwner(&c.Driver);
    return OrvekResult::Ok;
}

std::int32_t UnlockPort(OrvekCall& c)
{
    auto reg = c.Driver.ConnectedRegister();
    if (reg && reg->PortOwner() == &c.Driver)
        reg->SetPortOwner(nullptr);
    return OrvekResult::Ok;
}

std::int32_t GetExchangeParam(OrvekCall& c)
{
    int port = c.Int(P::PortNumber);
    if (port < 0 || port > 3)
        return OrvekResult::BadParameter;
    const auto& s = c.Reg().Area<ExchangeSettings>().Ports[port];
    int code = port == 0 ? EmulatedOrvek::CodeOfBaud(c.Reg().SerialBaud()) : 6;
    c.Set(P::BaudRate, code < 0 ? 6 : code);
    c.Set(P::Timeout, s.Timeout);
    c.Set(P::TCPPort, port == 2 ? c.Reg().Config().TcpPort : s.TcpPort);
    c.Request.append(char(port));
    c.Answer.append(char(code)).append(char(s.Timeout & 0xFF));
    return OrvekResult::Ok;
}

std::int32_t SetExchangeParam(OrvekCall& c)
{
    int port = c.Int(P::PortNumber);
    int baud = EmulatedOrvek::BaudOfCode(c.Int(P::BaudRate));
    if (port < 0 || port > 3 || baud == 0 || c.Int(P::Timeout) < 0)
        return OrvekResult::BadParameter;
    auto& s = c.Reg().Area<ExchangeSettings>().Ports[port];
    s.Timeout = c.Int(P::Timeout);
    s.TcpPort = c.Int(P::TCPPort);
    c.Request.append(char(port)).append(char(c.Int(P::BaudRate))).append(char(s.Timeout & 0xFF));
    if (port == 0 && baud != c.Reg().SerialBaud()) {
        // The register answers at the new rate from now; this driver object follows it.
        c.Reg().SetSerialBaud(baud);
        if (c.Int(P::ConnectionType) <= 2)
            c.Driver.EnsureConnected();
    }
    return OrvekResult::Ok;
}

// Looks for a register on the serial ports, lowest port first.
std::int32_t FindDevice(OrvekCall& c)
{
    std::shared_ptr<EmulatedRegister> found;
    for (const auto& reg : Bench().Registers()) {
        int com = reg->Config().ComNumber;
        if (com > 0 && EmulatedOrvek::CodeOfBaud(reg->SerialBaud()) >= 0 && (!found || com < found->Config().ComNumber))
            found = reg;
    }
    if (!found)
        return OrvekResult::NoLink;
    c.Set(P::ConnectionType, 0);
    c.Set(P::ComNumber, found->Config().ComNumber);
    c.Set(P::BaudRate, EmulatedOrvek::CodeOfBaud(found->SerialBaud()));
    return c.Driver.EnsureConnected();
}
} // namespace

void AddConnectionHandlers(OrvekHandlerTable& t)
{
    t.Add(M::Connect, OrvekAccess::DeviceNoPassword, 0x10, &Connect);
    t.Add(M::Disconnect, OrvekAccess::Local, 0, &Disconnect);
    t.Add(M::WaitConnection, OrvekAccess::DeviceNoPassword, 0x10, &WaitConnection);
    t.Add(M::LockPort, OrvekAccess::DeviceNoPassword, 0x10, &LockPort);
    t.Add(M::UnlockPort, OrvekAccess::Local, 0, &UnlockPort);
    t.Add(M::GetExchangeParam, OrvekAccess::Device, 0x15, &GetExchangeParam, true);
    // BaudRate is the port's new rate here, not the one to reach the register at.
    t.Add(M::SetExchangeParam, OrvekAccess::Device, 0x14, &SetExchangeParam, true);
    t.Add(M::FindDevice, OrvekAccess::Local, 0, &FindDevice);
}
