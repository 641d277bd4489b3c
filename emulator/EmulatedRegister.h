#pragma once
// One emulated register on the device bench: its configuration, its core
// state (mode, session, clock, identity, flags), its model parameters, device
// tables, paper, faults and call journal, and room for the state of further
// areas (Area<T>()).
//
// Driver calls reach the register with its lock held. A test reads and
// changes the state between calls on its own thread, or holds Lock() while
// worker threads may call.
#include "core/binding/OrvekMembers.h"
#include "emulator/RegisterFaults.h"
#include "emulator/RegisterModel.h"
#include "emulator/RegisterPaper.h"
#include "emulator/RegisterTables.h"
#include "emulator/StateArchive.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <array>
#include <atomic>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <typeindex>
#include <utility>
#include <vector>

struct RegisterConfig {
    QString Name = QStringLiteral("ККТ 1");
    int ComNumber = 1;                            // 0: not on a serial port
    int BaudRate = 115200;                        // bits per second
    QString Host = QStringLiteral("127.0.0.1");   // empty: not on TCP
    int TcpPort = 7778;
    int ModelId = 17;
    bool TypeTwo = false;                         // the newer generation (cash core)
    QString Description = QStringLiteral("Эмулятор ККТ");
    QString Serial = QStringLiteral("0000000000012345");
    QString SoftVersion = QStringLiteral("D.1");
    int SoftBuild = 21012;
    QDate SoftDate = QDate(2023, 11, 20);
    QString FNSoftVersion;                        // the FN's version text; empty: the FN's own
    std::vector<std::pair<int, QVariant>> ModelParams;  // values over the model's own
    // Status profile (see RegisterState).
    int LastErrorCode = 255;
    int SKNOStatus = 0;
    int Interface = -1;
    int FMFlags = 0;
    int FMFlagsEx = 0;
    int LastPrintResult = 0;
    int KeysResultCode = 254;  // the key update of the last session open (FNKeyUpdate)
    int KeysStatus = 0;
    QStringList Faults;                                  // as RegisterFaults::AddFromText reads them
    int ClockOffsetSeconds = 0;  // the register's clock minus the computer's
    bool BlankFN = false;        // the FN is new: not fiscalised, no documents
    bool OFDLinkUp = false;      // the OFD takes the documents the driver sends it
    int DHCPDelayMs = 0;         // the link's DHCP address: after this many ms from start; -1 never
    std::map<int, QString> DumpFiles;  // device code -> memory image file for dumps
    std::map<QString, int> PingHosts;  // host -> ping time (ms) of hosts that answer
    // Where the register keeps its state between runs (one folder per bench
    // register under $XDG_DATA_HOME); empty: the register lives in memory only.
    QString StateFolder;
};

// ECRFlags bits.
namespace EcrFlag {
enum : std::uint32_t {
    JournalRibbonIsPresent = 1u << 0,
    ReceiptRibbonIsPresent = 1u << 1,
    SlipDocumentIsPresent = 1u << 2,
    SlipDocumentIsMoving = 1u << 3,
    PointPosition = 1u << 4,
    EKLZIsPresent = 1u << 5,
    JournalRibbonOpticalSensor = 1u << 6,
    ReceiptRibbonOpticalSensor = 1u << 7,
    JournalRibbonLever = 1u << 8,
    ReceiptRibbonLever = 1u << 9,
    LidPositionSensor = 1u << 10,
    IsDrawerOpen = 1u << 11,
    PresenterOut = 1u << 12,
    PresenterIn = 1u << 13,
    IsEKLZOverflow = 1u << 14,
    QuantityPointPosition = 1u << 15,
};
}

struct RegisterState {
    int Mode = 4;            // ECRMode: 2 session open, 3 session over 24 hours, 4 closed, 8 document open
    int AdvancedMode = 0;    // ECRAdvancedMode
    int ModeStatus = 0;      // ECRModeStatus (the kind of open document)
    int PreviousMode = 4;
    bool SessionOpen = false;
    int SessionNumber = 0;   // the last closed session
    QDateTime SessionOpenedAt;
    QDateTime TestRunUntil;  // a test run (mode 10) lasts until then on the register's clock
    int DocumentNumber = 0;  // the last document
    int OpenDocumentNumber = 0;
    int QuantityOfOperations = 0;
    qint64 ClockOffsetMs = 0;  // register clock minus the computer's
    QDate PendingDate;         // set by SetDate, waiting for ConfirmDate
    QString Serial;
    QString INN;
    int RegistrationNumber = 0;  // fiscalisations made
    int FreeRegistration = 0;
    int LogicalNumber = 1;
    std::uint32_t Flags = EcrFlag::ReceiptRibbonIsPresent | EcrFlag::PointPosition |
                          EcrFlag::ReceiptRibbonOpticalSensor | EcrFlag::ReceiptRibbonLever;
    int FMFlags = 0;
    int FMFlagsEx = 0;
    int FreeRecordInFM = 0;
    double BatteryVoltage = 3.1;
    double PowerSourceVoltage = 24.0;
    int PrinterHeadTemperature = 32;
    int LastPrintResult = 0;
    int Operator = 0;  // operator of the last answer
    int LastErrorCode = 255;   // ReadErrorDescription describes the codes 0..LastErrorCode
    int SKNOStatus = 0;        // the SKNO's status bits
    int Interface = -1;        // PortNumber: 0 RS-232, 1 USB, 2 TCP, 3 I2C; -1 by the connection
    int LastFMRecordType = 1;  // 0 fiscalisation, 1 session total

    void Keep(StateArchive& a)
    {
        a(Mode, AdvancedMode, ModeStatus, PreviousMode, SessionOpen, SessionNumber, SessionOpenedAt, TestRunUntil,
          DocumentNumber, OpenDocumentNumber, QuantityOfOperations, ClockOffsetMs, PendingDate, Serial, INN,
          RegistrationNumber, FreeRegistration, LogicalNumber, Flags, FMFlags, FMFlagsEx, FreeRecordInFM);
        a(BatteryVoltage, PowerSourceVoltage, PrinterHeadTemperature, LastPrintResult, Operator, LastErrorCode,
          SKNOStatus, Interface, LastFMRecordType);
    }
};

class RegisterStore;

// Base of the state classes that further areas keep in a register.
class RegisterArea {
public:
    virtual ~RegisterArea() = default;
};

class EmulatedRegister {
public:
    // With a state folder the register takes the state kept there (it writes
    // nothing there until a driver object connects: Refresh).
    explicit EmulatedRegister(RegisterConfig config = {});
    ~EmulatedRegister();

    std::unique_lock<std::recursive_mutex> Lock() const { return std::unique_lock(FMutex); }

    const RegisterConfig& Config() const { return FConfig; }
    // New firmware: the version, build and date the register reports from now.
    void SetSoftware(const QString& version, int build, const QDate& date);
    // The baud rate the register answers at on its serial port (starts at
    // the configured one; SetExchangeParam changes it).
    int SerialBaud() const { return FSerialBaud.load(); }
    void SetSerialBaud(int baud) { FSerialBaud.store(baud); }
    RegisterState& State() { return FState; }
    const RegisterState& State() const { return FState; }
    RegisterModelParams& ModelParams() { return FParams; }
    RegisterTables& Tables() { return FTables; }
    RegisterPaper& Paper() { return FPaper; }
    RegisterFaults& Faults() { return FFaults; }

    // The register's clock.
    QDateTime Now() const;
    void SetNow(const QDateTime& value);
    // ECRMode now (an open session turns to 3 after 24 hours on the clock;
    // 10 while a test run lasts).
    int Mode() const;
    bool Flag(std::uint32_t flag) const { return (FState.Flags & flag) != 0; }
    void SetFlag(std::uint32_t flag, bool on);
    // Operator number of a password (a row of table 2), 0 for none.
    int OperatorOf(std::int32_t password) const;

    // The methods that reached the register, in order (the latest 10000),
    // and how often each did.
    void Record(OrvekMethod method);
    // Runs for each recorded call, before the call works (register lock held):
    // lets tests act at a given point of a worker's calls.
    std::function<void(OrvekMethod)> OnCall;
    std::vector<OrvekMethod> Journal() const { return {FJournal.begin(), FJournal.end()}; }
    int CallCount(OrvekMethod method) const { return FCounts[std::size_t(method)]; }
    void ClearJournal();

    // The driver object that holds the port (LockPort), none when free.
    const void* PortOwner() const { return FPortOwner; }
    void SetPortOwner(const void* owner) { FPortOwner = owner; }

    // The state of a further area, created on first use. T derives from
    // RegisterArea and is default-constructible or takes EmulatedRegister&.
    template <class T> T& Area()
    {
        auto key = std::type_index(typeid(T));
        auto it = FAreas.find(key);
        if (it == FAreas.end()) {
            std::unique_ptr<RegisterArea> area;
            if constexpr (std::is_constructible_v<T, EmulatedRegister&>)
                area = std::make_unique<T>(*this);
            else
                area = std::make_unique<T>();
            it = FAreas.emplace(key, std::move(area)).first;
        }
        return static_cast<T&>(*it->second);
    }

    // The register's own state besides its areas: the core state, the
    // firmware it runs and the baud rate of its serial port.
    void KeepCore(StateArchive& a);
    // With a state folder: keeps what the command that just ended changed
    // (the dispatcher calls it after each register command). Empty, or why
    // it could not be kept: the command must not answer success.
    QString Persist();
    // With a state folder and the register's port held by this program (a
    // driver object connects): takes what another program kept since, and
    // keeps the register from now on. Empty, or why the register cannot be
    // used (its kept state cannot be read).
    QString Refresh();
    // The register as its description makes it (its kept state could not be
    // read).
    void Remake();

    static QString ModeDescription(int mode);
    static QString AdvancedModeDescription(int mode);

private:
    // The state the configuration describes.
    void Init();

    mutable std::recursive_mutex FMutex;
    RegisterConfig FConfig;
    RegisterConfig FDescription;  // as the bench described it
    std::atomic<int> FSerialBaud;
    RegisterState FState;
    RegisterModelParams FParams;
    RegisterTables FTables;
    RegisterPaper FPaper;
    RegisterFaults FFaults;
    std::deque<OrvekMethod> FJournal;
    std::array<int, OrvekMethodCount> FCounts{};
    const void* FPortOwner = nullptr;
    std::map<std::type_index, std::unique_ptr<RegisterArea>> FAreas;
    std::unique_ptr<RegisterStore> FStore;
};
