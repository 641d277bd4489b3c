#pragma once
// The method handlers of the emulated driver: one table keyed by method.
//
// A handler reads its inputs from the driver object's properties, works on
// the register and writes its results into the properties; it returns the
// result code. The dispatcher (EmulatedOrvek::Invoke) connects to the
// register first for device methods, applies faults, checks the password,
// and afterwards sets ResultCode, ResultCodeDescription, ECRInput, ECROutput
// and OperatorNumber. A method without a handler answers
// OrvekResult::NotSupported.
//
// To model a new area: write a file with the handlers and one function
//   void Add<Area>Handlers(OrvekHandlerTable& t)
//   { t.Add(OrvekMethod::FNGetStatus, OrvekAccess::Device, 0xFF01, &FNGetStatus); ... }
// declare it below and call it from BuildHandlers (OrvekHandlers.cpp). Keep
// the area's register state in a class derived from RegisterArea and reach
// it with call.Reg().Area<TheState>().
#include "core/binding/OrvekMembers.h"
#include "emulator/EmulatedRegister.h"
#include "emulator/OrvekProperties.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <mutex>

class EmulatedOrvek;

struct OrvekCall {
    OrvekCall(OrvekMethod method, EmulatedOrvek& driver, OrvekPropertyStore& props)
        : Method(method), Driver(driver), Props(props) {}

    OrvekMethod Method;
    EmulatedOrvek& Driver;
    OrvekPropertyStore& Props;
    EmulatedRegister* Register = nullptr;  // set for device methods
    std::unique_lock<std::recursive_mutex>* RegisterLock = nullptr;  // the dispatcher's hold of the register, if any
    QString Description;                   // a text of its own for the result (empty: the code's text)
    QByteArray Request;                    // data bytes of the command sent
    QByteArray Answer;                     // data bytes of the register's answer
    bool Raw = false;                      // Request and Answer are the whole command and answer

    EmulatedRegister& Reg() const { return *Register; }
    std::int32_t Int(OrvekProp p) const { return Props.Int(p); }
    QString Str(OrvekProp p) const { return Props.Str(p); }
    bool Bool(OrvekProp p) const { return Props.Bool(p); }
    Currency Curr(OrvekProp p) const { return Props.Curr(p); }
    double Dbl(OrvekProp p) const { return Props.Dbl(p); }
    void Set(OrvekProp p, const QVariant& value) { Props.Set(p, value); }
};

using OrvekHandler = std::int32_t (*)(OrvekCall&);

enum class OrvekAccess {
    Local,             // works in the driver alone
    Device,            // a register command under the operator's Password
    DeviceNoPassword,  // a register command without a password
};

struct OrvekHandlerEntry {
    OrvekHandler Handler = nullptr;
    OrvekAccess Access = OrvekAccess::Device;
    std::uint16_t Command = 0xFC;  // command code shown in ECRInput (above 0xFF: two bytes)
    bool KeepLink = false;         // uses an open connection even when the settings changed since
};

class OrvekHandlerTable {
public:
    void Add(OrvekMethod method, OrvekAccess access, std::uint16_t command, OrvekHandler handler,
             bool keepLink = false)
    {
        FEntries[std::size_t(method)] = {handler, access, command, keepLink};
    }
    const OrvekHandlerEntry& operator[](OrvekMethod method) const { return FEntries[std::size_t(method)]; }

private:
    std::array<OrvekHandlerEntry, OrvekMethodCount> FEntries{};
};

// A receipt or cash document in a closed session opens it as OpenSession does.
std::function<std::int32_t()> SessionOpenerOf(OrvekCall& c);

// The FN's results shared by its handler areas: DocumentNumber and
// FiscalSign of a document made, and the registration data's properties.
struct FNDocument;
struct FNRegistration;
void SetDocumentResult(OrvekCall& c, const FNDocument& doc);
void SetRegistration(OrvekCall& c, const FNRegistration& r);

// The table, built once.
const OrvekHandlerTable& OrvekHandlers();

// Areas.
void AddConnectionHandlers(OrvekHandlerTable& t);
void AddStatusHandlers(OrvekHandlerTable& t);
void AddTableHandlers(OrvekHandlerTable& t);
void AddPrintHandlers(OrvekHandlerTable& t);
void AddServiceHandlers(OrvekHandlerTable& t);
void AddDialogHandlers(OrvekHandlerTable& t);
void AddTagHandlers(OrvekHandlerTable& t);
void AddTagEntryHandlers(OrvekHandlerTable& t);
void AddRawExchangeHandlers(OrvekHandlerTable& t);
void AddFNHandlers(OrvekHandlerTable& t);
void AddReceiptHandlers(OrvekHandlerTable& t);
void AddFNReceiptHandlers(OrvekHandlerTable& t);
void AddDeviceStatusHandlers(OrvekHandlerTable& t);
void AddTextHandlers(OrvekHandlerTable& t);
void AddMarkingHandlers(OrvekHandlerTable& t);
void AddReportHandlers(OrvekHandlerTable& t);
void AddPresenterHandlers(OrvekHandlerTable& t);
void AddFontHandlers(OrvekHandlerTable& t);
void AddBoardHandlers(OrvekHandlerTable& t);
void AddGraphicsHandlers(OrvekHandlerTable& t);
void AddBarcodeHandlers(OrvekHandlerTable& t);
void AddFiscalizationHandlers(OrvekHandlerTable& t);
void AddArchiveHandlers(OrvekHandlerTable& t);
void AddDrawerHandlers(OrvekHandlerTable& t);
void AddVintrelHandlers(OrvekHandlerTable& t);
void AddDocumentHandlers(OrvekHandlerTable& t);
void AddFirmwareHandlers(OrvekHandlerTable& t);
void AddServiceOperationHandlers(OrvekHandlerTable& t);
void AddLDHandlers(OrvekHandlerTable& t);
void AddPrintServerHandlers(OrvekHandlerTable& t);
void AddDiagnosticsHandlers(OrvekHandlerTable& t);
