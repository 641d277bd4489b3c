// Connection, exchange parameters, waits and device search.
#include "emulator/EmulatedOrvek.h"
#include "emulator/OrvekBench.h"
#include "emulator/OrvekHandlers.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterReceipt.h"
#include "platform/SerialPorts.h"

#include <QScopeGuard>
#include <algorithm>
#include <chrono>
#include <thread>

namespace {
using P = OrvekProp;
using M = OrvekMethod;

// The register's exchange settings per interface: 0 RS-232, 1 Bluetooth,
// 2 USB, 3 WiFi, 128 TCP socket.
struct ExchangeSettings : RegisterArea {
    struct Port {
        int Code = 0;
        int Baud = 6;
        int Timeout = 100;
        int TcpPort = 0;
    };
    explicit ExchangeSettings(EmulatedRegister& reg)
    {
        for (int code : {0, 1, 2, 3, 128})
            Ports.push_back({code, 6, 100, 0});
        Ports.back().TcpPort = reg.Config().TcpPort;
    }
    Port* Find(int code)
    {
        for (Port& p : Ports)
            if (p.Code == code)
                return &p;
        return nullptr;
    }
    std::vector<Port> Ports;
};

// Lets other driver objects reach the register while a call waits; the
// dispatcher's hold comes back when the returned guard ends.
auto ReleaseRegister(OrvekCall& c)
{
    auto* lock = c.RegisterLock && c.RegisterLock->owns_lock() ? c.RegisterLock : nullptr;
    if (lock)
        lock->unlock();
    return qScopeGuard([lock] {
        if (lock)
            lock->lock();
    });
}

// Waits, up to ConnectionTimeout, until the state is reached; checks it at
// least once. Stops early on Interrupt.
template <class F>
bool WaitFor(OrvekCall& c, F reached)
{
    const auto relock = ReleaseRegister(c);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(std::max(0, c.Int(P::ConnectionTimeout)));
    for (;;) {
        if (reached())
            return true;
        if (std::chrono::steady_clock::now() >= deadline || c.Driver.TakeInterrupt())
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

std::int32_t Connect(OrvekCall&)
{
    return OrvekResult::Ok;  // the dispatcher connected
}

std::int32_t Disconnect(OrvekCall& c)
{
    c.Driver.DisconnectNow();
    return OrvekResult::Ok;
}

// A register appears at the address within ConnectionTimeout.
std::int32_t WaitConnection(OrvekCall& c)
{
    return WaitFor(c, [&c] { return c.Driver.EnsureConnected() == OrvekResult::Ok; }) ? OrvekResult::Ok
                                                                                     : OrvekResult::NoLink;
}

// The open receipt is closed (by another driver object) within ConnectionTimeout.
std::int32_t WaitForCheckClose(OrvekCall& c)
{
    const auto closed = [&c] {
        auto unlock = c.Reg().Lock();
        return c.Reg().Mode() != 8;
    };
    return WaitFor(c, closed) ? OrvekResult::Ok : OrvekResult::ReceiptOpen;
}

// The lines that wait for paper are printed (the paper put in and printing
// continued, maybe by another driver object) within ConnectionTimeout;
// otherwise why they still wait.
std::int32_t WaitForPrinting(OrvekCall& c)
{
    RegisterReceipt& receipt = c.Reg().Area<RegisterReceipt>();
    const auto printed = [&c, &receipt] {
        auto unlock = c.Reg().Lock();
        return receipt.WaitingLines().isEmpty();
    };
    if (WaitFor(c, printed))
        return OrvekResult::Ok;
    return c.Reg().Flag(EcrFlag::ReceiptRibbonIsPresent) ? OrvekResult::WaitingContinuePrint : OrvekResult::NoPaper;
}

std::int32_t GetExchangeParam(OrvekCall& c)
{
    auto* s = c.Reg().Area<ExchangeSettings>().Find(c.Int(P::PortNumber));
    if (!s)
        return OrvekResult::BadParameter;
    const int code = s->Code == 0 ? EmulatedOrvek::CodeOfBaud(c.Reg().SerialBaud()) : s->Baud;
    c.Set(P::BaudRate, code < 0 ? 6 : code);
    c.Set(P::Timeout, s->Timeout);
    c.Set(P::TCPPort, s->TcpPort);
    c.Request.append(char(s->Code));
    c.Answer.append(char(code)).append(char(s->Timeout & 0xFF));
    return OrvekResult::Ok;
}

std::int32_t SetExchangeParam(OrvekCall& c)
{
    auto* s = c.Reg().Area<ExchangeSettings>().Find(c.Int(P::PortNumber));
    const int baud = EmulatedOrvek::BaudOfCode(c.Int(P::BaudRate));
    const int tcpPort = c.Int(P::TCPPort);
    if (!s || baud == 0 || c.Int(P::Timeout) < 0 || c.Int(P::Timeout) > 0xFFFF || tcpPort < 0 || tcpPort > 0xFFFF)
        return OrvekResult::BadParameter;
    s->Baud = c.Int(P::BaudRate);
    s->Timeout = c.Int(P::Timeout);
    s->TcpPort = tcpPort;
    c.Request.append(char(s->Code)).append(char(c.Int(P::BaudRate))).append(char(s->Timeout & 0xFF));
    if (s->Code == 0 && baud != c.Reg().SerialBaud()) {
        // The register answers at the new rate from now; this driver object follows it.
        c.Reg().SetSerialBaud(baud);
        if (c.Int(P::ConnectionType) <= 2)
            c.Driver.EnsureConnected();
    }
    return OrvekResult::Ok;
}

// Sleeps for a silent try; false when the user stopped the search.
bool SilentTry(OrvekCall& c, int ms)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < deadline) {
        if (c.Driver.TakeInterrupt())
            return false;
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(
            deadline - std::chrono::steady_clock::now(), std::chrono::milliseconds(2)));
    }
    return !c.Driver.TakeInterrupt();
}

// A register answers a search's try unless a FindDevice fault is due on it.
bool Answers(const std::shared_ptr<EmulatedRegister>& reg)
{
    if (!reg)
        return false;
    auto lock = reg->Lock();
    return !reg->Faults().Take(M::FindDevice);
}

// Looks for a register on the bench's serial ports, lowest first, then on
// the computer's own ports (numbered after the bench's, opened for reading
// only, never written to: no register ever answers there), each at the rate
// codes 0 to 9; a silent try lasts SearchTimeout. A register with a FindDevice
// fault due stays silent for that try.
std::int32_t FindDevice(OrvekCall& c)
{
    const auto relock = ReleaseRegister(c);
    const int silence = std::clamp(c.Int(P::SearchTimeout), 0, 60000);
    const std::vector<int> benchPorts = Bench().SerialPorts();
    for (int com : benchPorts) {
        for (int code = 0; EmulatedOrvek::BaudOfCode(code) > 0; ++code) {
            if (Answers(Bench().FindSerial(com, EmulatedOrvek::BaudOfCode(code)))) {
                c.Driver.DisconnectNow();
                c.Set(P::ConnectionType, 0);
                c.Set(P::ComNumber, com);
                c.Set(P::BaudRate, code);
                return c.Driver.EnsureConnected();
            }
            if (!SilentTry(c, silence))
                return OrvekResult::Interrupted;
        }
    }
    for (const TSystemSerialPort& port : ListSerialPorts()) {
        TSerialPortReader reader(port.Device);
        if (!reader.IsOpen())
            continue;
        for (int code = 0; EmulatedOrvek::BaudOfCode(code) > 0; ++code)
            if (!SilentTry(c, silence))
                return OrvekResult::Interrupted;
    }
    return OrvekResult::NoLink;
}
} // namespace

void AddConnectionHandlers(OrvekHandlerTable& t)
{
    t.Add(M::Connect, OrvekAccess::DeviceNoPassword, 0x10, &Connect);
    t.Add(M::Disconnect, OrvekAccess::Local, 0, &Disconnect);
    t.Add(M::WaitConnection, OrvekAccess::Local, 0, &WaitConnection);
    t.Add(M::WaitForPrinting, OrvekAccess::Device, 0x10, &WaitForPrinting);
    t.Add(M::WaitForCheckClose, OrvekAccess::DeviceNoPassword, 0x10, &WaitForCheckClose);
    t.Add(M::GetExchangeParam, OrvekAccess::Device, 0x15, &GetExchangeParam, true);
    // BaudRate is the port's new rate here, not the one to reach the register at.
    t.Add(M::SetExchangeParam, OrvekAccess::Device, 0x14, &SetExchangeParam, true);
    t.Add(M::FindDevice, OrvekAccess::Local, 0, &FindDevice);
}
