// The print server's link and the port locks: with a server link the locks
// live in the server for all its clients; without one a lock keeps other
// driver objects of this computer off the register's port.
#include "emulator/EmulatedOrvek.h"
#include "emulator/OrvekHandlers.h"
#include "emulator/OrvekResultCodes.h"

namespace {
using P = OrvekProp;
using M = OrvekMethod;

// One request to the server; its answer turned into a result code.
std::int32_t ServerRequest(OrvekCall& c, const QByteArray& request)
{
    TPrintServerLink& link = c.Driver.ServerLink();
    if (!link.Connected())
        return OrvekResult::NoLink;
    const QByteArray answer = link.Request(request, c.Int(P::TCPConnectionTimeout));
    if (answer == "OK")
        return OrvekResult::Ok;
    if (answer == "BUSY")
        return OrvekResult::PortBusy;
    if (answer.isEmpty())
        return OrvekResult::NoLink;
    return OrvekResult::BadParameter;
}

QByteArray WithPort(const char* command, const OrvekCall& c)
{
    return command + (' ' + QByteArray::number(c.Int(P::ComNumber)));
}

std::int32_t ServerConnect(OrvekCall& c)
{
    return c.Driver.ServerLink().Connect(c.Str(P::ComputerName), c.Int(P::TCPConnectionTimeout)) ? OrvekResult::Ok
                                                                                                : OrvekResult::NoLink;
}

// The server frees this client's ports when the link ends.
std::int32_t ServerDisconnect(OrvekCall& c)
{
    c.Driver.DisconnectNow();
    c.Driver.ServerLink().Close();
    return OrvekResult::Ok;
}

std::int32_t LockPort(OrvekCall& c)
{
    if (c.Driver.ServerLink().Connected())
        return ServerRequest(c, WithPort("LOCK", c));
    if (const std::int32_t code = c.Driver.EnsureConnected(); code != OrvekResult::Ok)
        return code;
    auto reg = c.Driver.ConnectedRegister();
    auto lock = reg->Lock();
    if (!c.RegisterLock) {   // connected just now: the dispatcher saw no register
        reg->Record(c.Method);
        if (auto fault = reg->Faults().Take(c.Method))
            return *fault;
    }
    if (reg->PortOwner() && reg->PortOwner() != &c.Driver)
        return OrvekResult::PortBusy;
    reg->SetPortOwner(&c.Driver);
    return OrvekResult::Ok;
}

std::int32_t UnlockPort(OrvekCall& c)
{
    if (c.Driver.ServerLink().Connected())
        return ServerRequest(c, WithPort("UNLOCK", c));
    auto reg = c.Driver.ConnectedRegister();
    if (reg) {
        auto lock = reg->Lock();
        if (reg->PortOwner() == &c.Driver)
            reg->SetPortOwner(nullptr);
    }
    return OrvekResult::Ok;
}

std::int32_t AdminUnlockPort(OrvekCall& c)
{
    return ServerRequest(c, WithPort("ADMINUNLOCK", c));
}

std::int32_t AdminUnlockPorts(OrvekCall& c)
{
    return ServerRequest(c, "ADMINUNLOCKALL");
}
} // namespace

void AddPrintServerHandlers(OrvekHandlerTable& t)
{
    t.Add(M::ServerConnect, OrvekAccess::Local, 0, &ServerConnect);
    t.Add(M::ServerDisconnect, OrvekAccess::Local, 0, &ServerDisconnect);
    t.Add(M::LockPort, OrvekAccess::Local, 0, &LockPort);
    t.Add(M::UnlockPort, OrvekAccess::Local, 0, &UnlockPort);
    t.Add(M::AdminUnlockPort, OrvekAccess::Local, 0, &AdminUnlockPort);
    t.Add(M::AdminUnlockPorts, OrvekAccess::Local, 0, &AdminUnlockPorts);
}
