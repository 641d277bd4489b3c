// The receipt presenter with its shutter, the IBM-mode status and the
// driver's receipt database.
#include "emulator/EmulatedOrvek.h"
#include "emulator/OrvekHandlers.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/ReceiptDatabase.h"
#include "emulator/RegisterCounters.h"
#include "emulator/RegisterFN.h"
#include "emulator/RegisterReceipt.h"

namespace {
using P = OrvekProp;
using M = OrvekMethod;

struct RegisterPresenter : RegisterArea {
    bool ShutterOpen = true;
};

bool HasPresenter(const EmulatedRegister& r)
{
    const ModelParam* p = const_cast<EmulatedRegister&>(r).ModelParams().Find(17);
    return p && p->Value.toBool();
}

std::int32_t OutputReceipt(OrvekCall& c)
{
    EmulatedRegister& r = c.Reg();
    const int type = c.Int(P::ReceiptOutputType);
    c.Request.append(char(type));
    if (!HasPresenter(r))
        return OrvekResult::CommandNotSupported;
    if (type < 0 || type > 2)
        return OrvekResult::BadParameter;
    if (!r.Flag(EcrFlag::PresenterIn))
        return OrvekResult::NoReceiptInPresenter;
    if (type != 1 && !r.Area<RegisterPresenter>().ShutterOpen)
        return OrvekResult::ShutterClosed;
    // 0 ejects the receipt, 1 holds it inside, 2 ejects it and holds it at the exit.
    r.SetFlag(EcrFlag::PresenterIn, type == 1);
    r.SetFlag(EcrFlag::PresenterOut, type == 2);
    return OrvekResult::Ok;
}

std::int32_t SetShutter(OrvekCall& c, bool open)
{
    if (!HasPresenter(c.Reg()))
        return OrvekResult::CommandNotSupported;
    c.Reg().Area<RegisterPresenter>().ShutterOpen = open;
    return OrvekResult::Ok;
}

std::int32_t OpenScreen(OrvekCall& c) { return SetShutter(c, true); }
std::int32_t CloseScreen(OrvekCall& c) { return SetShutter(c, false); }

// IBM status bytes from the register's state.
void SetIBMStatusBytes(OrvekCall& c)
{
    const EmulatedRegister& r = c.Reg();
    const bool paper = r.Flag(EcrFlag::ReceiptRibbonIsPresent);
    const bool lidOpen = r.Flag(EcrFlag::LidPositionSensor);
    const bool drawerOpen = r.Flag(EcrFlag::IsDrawerOpen);
    const int byte1 = 0x01 | 0x02 | 0x04 | (lidOpen ? 0x20 : 0) | (paper ? 0 : 0x40);
    const int byte2 = 0x08 | 0x40;                 // reserved 1, print buffer empty
    const int byte3 = 0x80;                        // command complete
    const int byte5 = 0x20;                        // reserved, defaults to 1
    const int byte7 = (drawerOpen ? 0x08 : 0) | 0x20;
    const int bytes[] = {byte1, byte2, byte3, 0, byte5, 0, byte7, 0};
    const P props[] = {P::IBMStatusByte1, P::IBMStatusByte2, P::IBMStatusByte3, P::IBMStatusByte4,
                       P::IBMStatusByte5, P::IBMStatusByte6, P::IBMStatusByte7, P::IBMStatusByte8};
    for (int i = 0; i < 8; ++i) {
        c.Set(props[i], bytes[i]);
        c.Answer.append(char(bytes[i]));
    }
}

std::int32_t GetShortIBMStatus(OrvekCall& c)
{
    c.Set(P::OperatorNumber, c.Reg().State().Operator);
    SetIBMStatusBytes(c);
    c.Set(P::IBMFlags, 0x01);   // the print buffer is empty
    return OrvekResult::Ok;
}

std::int32_t GetIBMStatus(OrvekCall& c)
{
    EmulatedRegister& r = c.Reg();
    const RegisterState& s = r.State();
    const RegisterFN& fn = r.Area<RegisterFN>();
    const RegisterCounters& counters = r.Area<RegisterCounters>();
    const QDateTime now = r.Now();
    c.Set(P::OperatorNumber, s.Operator);
    c.Set(P::Date, QDateToDateTime(now.date()));
    c.Set(P::Time, QTimeToDateTime(now.time()));
    c.Set(P::SessionNumber, s.SessionNumber);
    c.Set(P::IBMDocumentNumber, s.DocumentNumber);
    const P receipts[] = {P::IBMLastSaleReceiptNumber, P::IBMLastBuyReceiptNumber,
                          P::IBMLastReturnSaleReceiptNumber, P::IBMLastReturnBuyReceiptNumber};
    for (int kind = 0; kind < 4; ++kind)
        c.Set(receipts[kind], counters.OperationRegister(OperReg::Receipts + kind));
    const QDateTime opened = s.SessionOpen ? s.SessionOpenedAt : QDateTime();
    c.Set(P::IBMSessionDay, opened.isValid() ? opened.date().day() : 0);
    c.Set(P::IBMSessionMonth, opened.isValid() ? opened.date().month() : 0);
    c.Set(P::IBMSessionYear, opened.isValid() ? opened.date().year() % 100 : 0);
    c.Set(P::IBMSessionHour, opened.isValid() ? opened.time().hour() : 0);
    c.Set(P::IBMSessionMin, opened.isValid() ? opened.time().minute() : 0);
    c.Set(P::IBMSessionSec, opened.isValid() ? opened.time().second() : 0);
    c.Set(P::Summ1, qlonglong(r.Area<RegisterReceipt>().CashRegister(CashReg::CashInDrawer)));
    SetIBMStatusBytes(c);
    const int flags = (s.Serial.isEmpty() && r.Config().Serial.isEmpty() ? 0 : 0x01) |
                      (fn.FiscalMode() ? 0x02 | 0x04 : 0) | (s.SessionOpen ? 0x08 : 0) | (r.Mode() == 3 ? 0x10 : 0);
    c.Set(P::IBMFlags, flags);
    return OrvekResult::Ok;
}

// The FN serial the database methods name: SerialNumber, or the connected
// register's FN. The file of the connected register's FN is first brought in
// line with the FN: 0 or the database's error code.
std::int32_t DBSerial(OrvekCall& c, QString& serial)
{
    RegisterFN& fn = c.Reg().Area<RegisterFN>();
    serial = c.Str(P::SerialNumber);
    if (serial.isEmpty())
        serial = fn.Serial;
    return serial == fn.Serial ? ReceiptDatabase::Agree(c.Str(P::DBFilePath), ReceiptDatabase::Of(fn)) : 0;
}

void SetDocument(OrvekCall& c, const DBDocument& d)
{
    c.Set(P::DocumentNumber, d.Number);
    c.Set(P::SessionNumber, d.Session);
    c.Set(P::DBDocType, d.Type);
    c.Set(P::Date, QDateToDateTime(d.DateTime.date()));
    c.Set(P::Time, QTimeToDateTime(d.DateTime.time()));
    c.Set(P::Summ1, qlonglong(d.Total));
    c.Set(P::FiscalSign, int(d.FiscalSign));
    c.Set(P::FiscalSignAsString, QString::number(d.FiscalSign));
    c.Set(P::StringForPrinting, d.Text);
}

std::int32_t PrintDocumentText(OrvekCall& c, const DBDocument& d)
{
    if (c.Reg().Area<RegisterReceipt>().IsOpen())
        return OrvekResult::WrongMode;
    for (const QString& line : d.Text.split(QStringLiteral("\r\n")))
        c.Reg().Paper().AddText(line);
    return OrvekResult::Ok;
}

std::int32_t FindDocument(OrvekCall& c, DBDocument& d)
{
    QString serial;
    if (std::int32_t code = DBSerial(c, serial))
        return code;
    return ReceiptDatabase::Find(c.Str(P::DBFilePath), serial, c.Int(P::DocumentNumber), d);
}

std::int32_t DBFindDocument(OrvekCall& c)
{
    DBDocument d;
    if (std::int32_t code = FindDocument(c, d))
        return code;
    SetDocument(c, d);
    return OrvekResult::Ok;
}

std::int32_t DBPrintDocument(OrvekCall& c)
{
    DBDocument d;
    if (std::int32_t code = FindDocument(c, d))
        return code;
    SetDocument(c, d);
    return PrintDocumentText(c, d);
}

std::int32_t DBQueryDocumentsInSession(OrvekCall& c)
{
    EmulatedOrvek::DBQuery& query = c.Driver.DBSessionQuery();
    query = {};
    QString serial;
    if (std::int32_t code = DBSerial(c, serial))
        return code;
    return ReceiptDatabase::Session(c.Str(P::DBFilePath), serial, c.Int(P::SessionNumber), query.Documents);
}

// The next document of the query; -41 past the last one.
const DBDocument* NextDocument(OrvekCall& c)
{
    EmulatedOrvek::DBQuery& query = c.Driver.DBSessionQuery();
    if (query.Next >= query.Documents.size())
        return nullptr;
    return &query.Documents[query.Next++];
}

std::int32_t DBGetNextDocument(OrvekCall& c)
{
    const DBDocument* d = NextDocument(c);
    if (!d)
        return ReceiptDatabase::NoMoreDocuments;
    SetDocument(c, *d);
    return OrvekResult::Ok;
}

std::int32_t DBPrintNextDocument(OrvekCall& c)
{
    const DBDocument* d = NextDocument(c);
    if (!d)
        return ReceiptDatabase::NoMoreDocuments;
    SetDocument(c, *d);
    return PrintDocumentText(c, *d);
}
} // namespace

void AddPresenterHandlers(OrvekHandlerTable& t)
{
    t.Add(M::OutputReceipt, OrvekAccess::Device, 0xC9, &OutputReceipt);
    t.Add(M::OpenScreen, OrvekAccess::Device, 0xCA, &OpenScreen);
    t.Add(M::CloseScreen, OrvekAccess::Device, 0xCB, &CloseScreen);
    t.Add(M::GetIBMStatus, OrvekAccess::Device, 0xFE11, &GetIBMStatus);
    t.Add(M::GetShortIBMStatus, OrvekAccess::Device, 0xFE10, &GetShortIBMStatus);
    t.Add(M::DBFindDocument, OrvekAccess::Device, 0, &DBFindDocument);
    t.Add(M::DBPrintDocument, OrvekAccess::Device, 0x17, &DBPrintDocument);
    t.Add(M::DBQueryDocumentsInSession, OrvekAccess::Device, 0, &DBQueryDocumentsInSession);
    t.Add(M::DBGetNextDocument, OrvekAccess::Device, 0, &DBGetNextDocument);
    t.Add(M::DBPrintNextDocument, OrvekAccess::Device, 0x17, &DBPrintNextDocument);
}
