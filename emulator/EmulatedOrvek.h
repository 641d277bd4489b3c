#pragma once
// The emulated driver component: a property store with start-up values, one
// handler per method (OrvekHandlers.h), and a connection to a register of
// the device bench (OrvekBench.h). Calls from several threads are
// serialised by the object's lock; a call that reaches a register also holds
// the register's lock.
#include "core/binding/OrvekComponent.h"
#include "emulator/EmulatedRegister.h"
#include "emulator/OrvekCallTrace.h"
#include "emulator/OrvekProperties.h"
#include "emulator/PrintServer.h"
#include "emulator/ReceiptDatabase.h"
#include "emulator/RegisterPortLock.h"

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

class TOrvek;

class EmulatedOrvek : public IOrvekComponent {
public:
    EmulatedOrvek();
    ~EmulatedOrvek() override;

    QVariant GetProperty(std::int32_t dispId) override;
    void PutProperty(std::int32_t dispId, const QVariant& value) override;
    std::int32_t Invoke(std::int32_t dispId) override;
    // Holds the object's lock.
    std::shared_ptr<void> Exclusive() override;
    // Sets the stop request that a running search looks at (no lock).
    void Interrupt() override { FInterrupted = true; }
    // True once after Interrupt; a call that starts clears it.
    bool TakeInterrupt() { return FInterrupted.exchange(false); }
    // The link to a print server (ServerConnect).
    TPrintServerLink& ServerLink() { return FServerLink; }

    // Direct access for tests and handlers; hold Lock() while other threads
    // may call the object.
    std::unique_lock<std::recursive_mutex> Lock() const { return std::unique_lock(FMutex); }
    OrvekPropertyStore& Props() { return FProps; }
    // Every method called on this object with the properties written before it.
    OrvekCallTrace& Trace() { return FTrace; }

    // The register connected to, null when not connected.
    std::shared_ptr<EmulatedRegister> ConnectedRegister() const { return FRegister; }
    // The register that the connection settings address now, null when none
    // answers there. ConnectionType 0, 1, 2: ComNumber and the BaudRate code;
    // 6: TCP to IPAddress (UseIPAddress) or ComputerName, and TCPPort.
    std::shared_ptr<EmulatedRegister> AddressedRegister() const { return AddressedRegister(FProps); }
    static std::shared_ptr<EmulatedRegister> AddressedRegister(const OrvekPropertyStore& props);
    // Connects to the addressed register (again when the settings changed):
    // 0, or OrvekResult::NoLink; PortUnavailable while another program is
    // connected to a register that keeps its state in a folder; FileError
    // when that state cannot be read. Connection
    // types 1 and 2 reach their port through the print server: without a
    // server link NoLink, PortBusy while another client holds the port there.
    std::int32_t EnsureConnected();
    void DisconnectNow();

    // A job the driver runs beside the calls (a firmware update): it brings
    // the properties it reports up to date before each property read and
    // each call, and answers false once it has ended. One at a time.
    using Job = std::function<bool(EmulatedOrvek&)>;
    void StartJob(Job job) { FJob = std::move(job); }

    // Bits per second of a baud-rate code (0 for an unknown code).
    static int BaudOfCode(int code);
    // The driver's code of a baud rate; -1 when it has none.
    static int CodeOfBaud(int baud);

    // The documents of the last DBQueryDocumentsInSession and the next one to read.
    struct DBQuery {
        std::vector<DBDocument> Documents;
        std::size_t Next = 0;
    };
    DBQuery& DBSessionQuery() { return FDBQuery; }

private:
    struct Address {
        enum { None, Serial, Tcp } Kind = None;
        int Type = 0;
        int Port = 0;  // COM number or TCP port
        int Baud = 0;  // baud-rate code
        QString Host;
        bool operator==(const Address&) const = default;
    };
    static Address AddressOf(const OrvekPropertyStore& props);
    // Keeps the FN documents a call added in the receipt database: 0, or the
    // database's error code when a receipt was among them.
    std::int32_t RecordDocuments(EmulatedRegister& reg, std::size_t documentsBefore, std::uint64_t printedBefore);
    void RunJob();
    void Finish(struct OrvekCall& call, std::int32_t code, std::uint16_t command, bool sent, bool answered,
                bool withPassword);

    mutable std::recursive_mutex FMutex;
    OrvekPropertyStore FProps;
    OrvekCallTrace FTrace;
    std::shared_ptr<EmulatedRegister> FRegister;
    std::unique_ptr<RegisterPortLock> FPortLock;   // while connected to a register kept in a folder
    QString FStateProblem;   // why the register's state could not be read or kept (FileError)
    Address FAddress;
    DBQuery FDBQuery;
    Job FJob;
    std::atomic<bool> FInterrupted = false;
    TPrintServerLink FServerLink;
};

// Makes the emulated component the one that driver objects create.
void InstallEmulatedOrvek();
// The emulated component behind a driver object, null when it is another.
EmulatedOrvek* EmulatedComponentOf(TOrvek& driver);
