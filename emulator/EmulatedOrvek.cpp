#include "emulator/EmulatedOrvek.h"

#include "emulator/RegisterFN.h"

#include "core/binding/LumaqLib_TLB.h"
#include "core/support/BinUtils.h"
#include "platform/Exceptions.h"
#include "emulator/OrvekBench.h"
#include "emulator/OrvekHandlers.h"
#include "emulator/OrvekInstallation.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/OrvekSettings.h"

namespace {

void AppendCommand(QByteArray& body, std::uint16_t command)
{
    if (command > 0xFF)
        body.append(char(command >> 8));
    body.append(char(command & 0xFF));
}

// STX, length, body, XOR of length and body.
QByteArray Frame(const QByteArray& body)
{
    QByteArray frame;
    frame.append(char(0x02));
    frame.append(char(body.size() & 0xFF));
    frame.append(body);
    char lrc = char(body.size() & 0xFF);
    for (char c : body)
        lrc ^= c;
    frame.append(lrc);
    return frame;
}
} // namespace

EmulatedOrvek::EmulatedOrvek()
{
    LoadOrvekSettings(FProps);
    const OrvekInstallation installed = CurrentOrvekInstallation();
    FProps.Set(OrvekProp::DriverMajorVersion, installed.Major);
    FProps.Set(OrvekProp::DriverMinorVersion, installed.Minor);
    FProps.Set(OrvekProp::DriverRelease, installed.Release);
    FProps.Set(OrvekProp::DriverBuild, installed.Build);
    FProps.Set(OrvekProp::DriverVersion, installed.VersionText());
}

EmulatedOrvek::~EmulatedOrvek()
{
    DisconnectNow();
    const QString error = SaveOrvekSettings(FProps);
    if (!error.isEmpty())
        NotifyOrvekSettingsNotSaved(error);
}

int EmulatedOrvek::BaudOfCode(int code)
{
    static const int rates[] = {2400, 4800, 9600, 19200, 38400, 57600, 115200, 230400, 460800, 921600};
    return code >= 0 && code < int(std::size(rates)) ? rates[code] : 0;
}

int EmulatedOrvek::CodeOfBaud(int baud)
{
    for (int code = 0; BaudOfCode(code) > 0; ++code)
        if (BaudOfCode(code) == baud)
            return code;
    return -1;
}

EmulatedOrvek::Address EmulatedOrvek::AddressOf(const OrvekPropertyStore& props)
{
    Address a;
    a.Type = props.Int(OrvekProp::ConnectionType);
    switch (a.Type) {
    case 0:
    case 1:
    case 2:
        a.Kind = Address::Serial;
        a.Port = props.Int(OrvekProp::ComNumber);
        a.Baud = props.Int(OrvekProp::BaudRate);
        break;
    case 6: {
        a.Kind = Address::Tcp;
        const QString& ip = props.Get(OrvekProp::IPAddress).toString();
        const QString& name = props.Get(OrvekProp::ComputerName).toString();
        a.Host = props.Bool(OrvekProp::UseIPAddress) ? (ip.isEmpty() ? name : ip) : (name.isEmpty() ? ip : name);
        a.Port = props.Int(OrvekProp::TCPPort);
        break;
    }
    default:
        break;
    }
    return a;
}

std::shared_ptr<EmulatedRegister> EmulatedOrvek::AddressedRegister(const OrvekPropertyStore& props)
{
    Address a = AddressOf(props);
    switch (a.Kind) {
    case Address::Serial: return Bench().FindSerial(a.Port, BaudOfCode(a.Baud));
    case Address::Tcp: return Bench().FindTcp(a.Host, a.Port);
    case Address::None: break;
    }
    return nullptr;
}

std::int32_t EmulatedOrvek::EnsureConnected()
{
    Address address = AddressOf(FProps);
    if (FRegister && address == FAddress)
        return OrvekResult::Ok;
    DisconnectNow();
    if (address.Type == 1 || address.Type == 2) {
        const QByteArray answer =
            FServerLink.Request("OPEN " + QByteArray::number(address.Port), FProps.Int(OrvekProp::Timeout) + 1000);
        if (answer != "OK")
            return answer == "BUSY" ? OrvekResult::PortBusy : OrvekResult::NoLink;
    }
    auto reg = AddressedRegister();
    if (!reg)
        return OrvekResult::NoLink;
    if (!reg->Config().StateFolder.isEmpty()) {
        FPortLock = RegisterPortLock::Take(reg->Config().StateFolder);
        if (!FPortLock)
            return OrvekResult::PortUnavailable;
    }
    FRegister = std::move(reg);
    FAddress = address;
    FProps.Set(OrvekProp::Connected, true);
    // A driver reads the decimal point and the device's description when it
    // connects: amounts are right from the first call, before any status query.
    auto regLock = FRegister->Lock();
    // Another program may have worked on the register meanwhile; from now on
    // this program keeps it.
    if (QString problem = FRegister->Refresh(); !problem.isEmpty()) {
        regLock.unlock();
        DisconnectNow();
        FStateProblem = std::move(problem);
        return OrvekResult::FileError;
    }
    FProps.Set(OrvekProp::PointPosition, FRegister->Flag(EcrFlag::PointPosition));
    FProps.Set(OrvekProp::UDescription, FRegister->Config().Description);
    return OrvekResult::Ok;
}

void EmulatedOrvek::DisconnectNow()
{
    if (FRegister) {
        auto lock = FRegister->Lock();
        if (FRegister->PortOwner() == this)
            FRegister->SetPortOwner(nullptr);
    }
    FRegister.reset();
    FPortLock.reset();
    FAddress = {};
    FProps.Set(OrvekProp::Connected, false);
}

QVariant EmulatedOrvek::GetProperty(std::int32_t dispId)
{
    auto prop = PropByDispId(dispId);
    if (!prop)
        throw EOleError(QStringLiteral("Неизвестное имя (%1)").arg(dispId));
    std::lock_guard lock(FMutex);
    RunJob();
    return FProps.Get(*prop);
}

void EmulatedOrvek::PutProperty(std::int32_t dispId, const QVariant& value)
{
    auto prop = PropByDispId(dispId);
    if (!prop)
        throw EOleError(QStringLiteral("Неизвестное имя (%1)").arg(dispId));
    std::lock_guard lock(FMutex);
    FProps.Put(*prop, value);
    FTrace.Written(*prop, FProps.Get(*prop));
    // Writing Connected connects or disconnects; the property then tells the state.
    if (*prop == OrvekProp::Connected) {
        const bool connect = FProps.Bool(OrvekProp::Connected);
        FProps.Set(OrvekProp::Connected, FRegister != nullptr);
        Invoke(DispId(connect ? OrvekMethod::Connect : OrvekMethod::Disconnect));
    }
}

std::shared_ptr<void> EmulatedOrvek::Exclusive()
{
    return std::make_shared<std::unique_lock<std::recursive_mutex>>(FMutex);
}

std::int32_t EmulatedOrvek::Invoke(std::int32_t dispId)
{
    auto method = MethodByDispId(dispId);
    if (!method)
        throw EOleError(QStringLiteral("Неизвестное имя (%1)").arg(dispId));
    std::lock_guard lock(FMutex);
    FInterrupted = false;
    FStateProblem.clear();
    RunJob();
    FTrace.Called(*method);
    const OrvekHandlerEntry& entry = OrvekHandlers()[*method];
    OrvekCall call{*method, *this, FProps};

    if (entry.Access == OrvekAccess::Local && entry.Handler) {
        std::shared_ptr<EmulatedRegister> reg = FRegister;
        std::unique_lock<std::recursive_mutex> regLock;
        std::optional<std::int32_t> fault;
        if (reg) {
            regLock = reg->Lock();
            call.RegisterLock = &regLock;
            reg->Record(*method);
            fault = reg->Faults().Take(*method);
        }
        std::int32_t code = fault ? *fault : entry.Handler(call);
        if (fault && code == OrvekResult::NoLink)
            DisconnectNow();
        Finish(call, code, entry.Command, false, false, false);
        return code;
    }

    bool withPassword = entry.Access == OrvekAccess::Device;
    std::int32_t code = entry.KeepLink && FRegister ? OrvekResult::Ok : EnsureConnected();
    if (code != OrvekResult::Ok) {
        // Only a link that does not answer saw the frame go out; a port that
        // could not be had sent nothing.
        Finish(call, code, entry.Command, code == OrvekResult::NoLink, false, withPassword);
        return code;
    }
    std::shared_ptr<EmulatedRegister> reg = FRegister;
    auto regLock = reg->Lock();
    call.Register = reg.get();
    call.RegisterLock = &regLock;
    reg->Record(*method);
    bool answered = true;
    if (reg->PortOwner() && reg->PortOwner() != this) {
        code = OrvekResult::PortBusy;
        answered = false;
    } else if (auto fault = reg->Faults().Take(*method, [this](OrvekProp p) { return FProps.Int(p); })) {
        code = *fault;
        if (code < 0)
            answered = false;
        if (code == OrvekResult::NoLink)
            DisconnectNow();
    } else if (!entry.Handler) {
        code = OrvekResult::NotSupported;
        call.Description = QStringLiteral("Эмулируемая ККТ не поддерживает метод %1")
                               .arg(QLatin1StringView(MethodName(*method).data(),
                                                      qsizetype(MethodName(*method).size())));
    } else {
        const std::size_t documents = reg->Area<RegisterFN>().Documents.size();
        const std::uint64_t printed = reg->Paper().Total();
        if (withPassword) {
            int op = reg->OperatorOf(FProps.Int(OrvekProp::Password));
            if (op == 0) {
                code = OrvekResult::BadPassword;
            } else {
                reg->State().Operator = op;
                code = entry.Handler(call);
            }
        } else {
            code = entry.Handler(call);
        }
        // A receipt stays closed on the register; the driver tells that it did not keep it.
        const std::int32_t kept = RecordDocuments(*reg, documents, printed);
        if (code == OrvekResult::Ok)
            code = kept;
        // Nothing is answered as done that the register did not keep.
        if (QString problem = reg->Persist(); !problem.isEmpty()) {
            FStateProblem = std::move(problem);
            code = OrvekResult::FileError;
        }
    }
    Finish(call, code, entry.Command, true, answered, withPassword);
    return code;
}

void EmulatedOrvek::RunJob()
{
    if (FJob && !FJob(*this))
        FJob = nullptr;
}

std::int32_t EmulatedOrvek::RecordDocuments(EmulatedRegister& reg, std::size_t documentsBefore,
                                            std::uint64_t printedBefore)
{
    RegisterFN& fn = reg.Area<RegisterFN>();
    if (fn.Documents.size() <= documentsBefore)
        return OrvekResult::Ok;
    QStringList text;
    for (const PaperItem* item : reg.Paper().Latest(printedBefore, std::size_t(-1),
                                                    [](const PaperItem& i) { return i.Kind == PaperKind::Text; }))
        text << item->Text;
    std::vector<DBDocument> added;
    bool receipts = false;
    for (std::size_t i = documentsBefore; i < fn.Documents.size(); ++i) {
        const FNDocument& doc = fn.Documents[i];
        DBDocument d;
        d.Number = doc.Number;
        d.Session = doc.SessionNumber;
        const bool receipt = doc.Type == FNDocType::Receipt || doc.Type == FNDocType::BSO;
        receipts = receipts || doc.IsReceipt();
        d.Type = receipt && doc.OperationType >= 1 && doc.OperationType <= 4 ? doc.OperationType : 5;
        d.DateTime = doc.DateTime;
        d.Total = doc.Summ;
        d.FiscalSign = doc.FiscalSign;
        d.Text = text.join(QStringLiteral("\r\n"));
        added.push_back(std::move(d));
    }
    const std::int32_t kept = ReceiptDatabase::Add(FProps.Str(OrvekProp::DBFilePath), ReceiptDatabase::Of(fn), added);
    // Only a receipt's closing call answers for the database: the other documents (registration,
    // session, reports) are the register's own, and failing their call would make the caller
    // repeat a document the FN already made. A search later answers the database's error.
    return receipts ? kept : OrvekResult::Ok;
}

void EmulatedOrvek::Finish(OrvekCall& call, std::int32_t code, std::uint16_t command, bool sent, bool answered,
                           bool withPassword)
{
    FProps.Set(OrvekProp::ResultCode, code);
    if (call.Description.isEmpty() && code == OrvekResult::FileError)
        call.Description = FStateProblem;
    FProps.Set(OrvekProp::ResultCodeDescription,
               call.Description.isEmpty() ? OrvekResultDescription(code) : call.Description);
    if (!sent) {
        FProps.Set(OrvekProp::ECRInput, QString());
        FProps.Set(OrvekProp::ECROutput, QString());
        return;
    }
    QByteArray body;
    if (!call.Raw) {
        AppendCommand(body, command);
        if (withPassword)
            body += IntToBin(std::uint32_t(FProps.Int(OrvekProp::Password)), 4);
    }
    body.append(call.Request);
    FProps.Set(OrvekProp::ECRInput, BytesToHex(Frame(body)));
    if (!answered) {
        FProps.Set(OrvekProp::ECROutput, QString());
        return;
    }
    QByteArray answer;
    if (call.Raw) {
        answer = call.Answer;
    } else {
        AppendCommand(answer, command);
        answer.append(char(code & 0xFF));
        if (withPassword && call.Register) {
            int op = call.Register->State().Operator;
            answer.append(char(op & 0xFF));
            FProps.Set(OrvekProp::OperatorNumber, op);
        }
        if (code == OrvekResult::Ok)
            answer.append(call.Answer);
    }
    FProps.Set(OrvekProp::ECROutput, BytesToHex(Frame(answer)));
}

void InstallEmulatedOrvek()
{
    SetOrvekFactory([]() -> std::unique_ptr<IOrvekComponent> {
        if (!CurrentOrvekInstallation().Installed)
            throw EOleError(QStringLiteral("Класс не зарегистрирован"));
        return std::make_unique<EmulatedOrvek>();
    });
}

EmulatedOrvek* EmulatedComponentOf(TOrvek& driver)
{
    return dynamic_cast<EmulatedOrvek*>(&driver.ControlInterface());
}
