#include "emulator/RegisterFN.h"

#include "core/support/RNMUtil.h"

#include <algorithm>

namespace {
// A 32-bit fiscal sign that depends on the FN, the number and the time.
std::uint32_t FiscalSignOf(const QString& serial, int number, const QDateTime& time)
{
    quint64 x = 1469598103934665603ULL;
    for (QChar ch : serial)
        x = (x ^ ch.unicode()) * 1099511628211ULL;
    x ^= quint64(number) * 0x9E3779B97F4A7C15ULL ^ quint64(time.toSecsSinceEpoch());
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return std::uint32_t((x ^ (x >> 31)) >> 16);
}

int BaseSize(int type)
{
    switch (type) {
    case FNDocType::Registration:
    case FNDocType::Reregistration: return 320;
    case FNDocType::OpenSession:
    case FNDocType::CloseSession: return 140;
    case FNDocType::CloseFN: return 160;
    case FNDocType::CalculationReport: return 110;
    default: return 240;
    }
}
} // namespace

int FNDocument::Size() const
{
    int size = BaseSize(Type);
    for (const FNTag& tag : Tags)
        size += int(tag.Tlv().size());
    return size;
}

bool FNDocument::IsReceipt() const
{
    return Type == FNDocType::Receipt || Type == FNDocType::BSO || Type == FNDocType::CorrectionReceipt ||
           Type == FNDocType::CorrectionBSO;
}

FNDocument& FNDocumentList::operator[](std::size_t index)
{
    if (index >= FirstHeld())
        return FHeld[index - FirstHeld()];
    for (auto& [at, doc] : FCache)
        if (at == index)
            return doc;
    if (FCache.size() >= CacheSlots)
        FCache.pop_front();
    auto& [at, doc] = FCache.emplace_back(index, FNDocument{});
    if (!FReader || !FReader(index, doc))
        doc = {};
    return doc;
}

void FNDocumentList::push_back(FNDocument doc)
{
    FHeld.push_back(std::move(doc));
    ++FCount;
}

FNDocument& FNDocumentList::emplace_back()
{
    ++FCount;
    return FHeld.emplace_back();
}

void FNDocumentList::pop_back()
{
    if (FCount > 0)
        resize(FCount - 1);
}

void FNDocumentList::resize(std::size_t count)
{
    std::erase_if(FCache, [count](const auto& entry) { return entry.first >= count; });
    if (count < FirstHeld()) {
        FHeld.clear();
    } else {
        FHeld.resize(count - FirstHeld());
    }
    FCount = count;
}

void FNDocumentList::Restore(std::size_t count)
{
    FHeld.clear();
    FCache.clear();
    FCount = count;
}

void FNDocumentList::SetReader(Reader reader)
{
    FReader = std::move(reader);
    FCache.clear();
}

void FNDocumentList::Release(std::size_t count)
{
    if (!FReader)
        return;
    while (FHeld.size() > Window && FirstHeld() < count)
        FHeld.pop_front();
}

void FNDocument::Keep(StateArchive& a)
{
    a(Number, Type, DateTime, FiscalSign, OFDTicketReceived, SessionNumber, ReceiptNumber, OperationType, Summ);
    KeepSparse(a, Payments);
    KeepSparse(a, TaxSums);
    a(Registration, DocumentCount, FirstUnconfirmed, Tags);
}

void RegisterFN::Keep(StateArchive& a)
{
    a(Serial, SoftVersion, SoftType, Implementation, Expiry, ValidityMonths, RegistrationLimit, LifeState,
      CurrentDocument, DocumentData, WarningFlags, OSUSupportStatus, MarkingFillPercentage, NotificationSize);
    a(Capacity5Year, Capacity30DayKb, Registration, KeyServer, LastKeyUpdate, LastConfirmed, Resets);
    a(FSessionOfReceipts, FSessionReceipts, FRegistrations);
    if (a.Loading())
        FFirstWaiting = 0;   // the documents may have been replaced
}

RegisterFN::RegisterFN(EmulatedRegister& reg) : FRegister(reg)
{
    FNRegistration data;
    data.INN = QStringLiteral("0123456788");
    data.INNOFD = QStringLiteral("9909000004");
    data.KKTRegistrationNumber = GenerateRNM(QByteArray("1"), data.INN.toLatin1(), reg.State().Serial.toLatin1());
    data.TaxType = 1;
    data.WorkMode = 1;
    FNDocument* doc = nullptr;
    Fiscalise(data, &doc);
    doc->DateTime = reg.Now().addDays(-30);
    doc->FiscalSign = FiscalSignOf(Serial, doc->Number, doc->DateTime);
    doc->OFDTicketReceived = true;
    Expiry = doc->DateTime.date().addMonths(ValidityMonths);
    if (reg.Config().BlankFN)
        Reset();
}

bool RegisterFN::FiscalMode() const
{
    return (LifeState & FNLife::FiscalMode) && !(LifeState & FNLife::Closed);
}

bool RegisterFN::SessionOpen() const
{
    return FRegister.State().SessionOpen;
}

int RegisterFN::SessionNumber() const
{
    const RegisterState& s = FRegister.State();
    return s.SessionOpen ? s.SessionNumber + 1 : s.SessionNumber;
}

int RegisterFN::ReceiptCount() const
{
    return FSessionOfReceipts == SessionNumber() ? FSessionReceipts : 0;
}

int RegisterFN::WarningFlagsNow() const
{
    int flags = WarningFlags;
    QDateTime now = FRegister.Now();
    if (Expiry.isValid()) {
        qint64 days = now.date().daysTo(Expiry);
        if (days <= 3)
            flags |= 1;
        if (days <= 30)
            flags |= 2;
    }
    if (Documents.size() * 10 >= std::size_t(Capacity5Year) * 9)
        flags |= 4;
    const FNDocument* waiting = FirstUnconfirmed();
    if (waiting && waiting->DateTime.daysTo(now) >= 30)
        flags |= 8;
    return flags;
}

int RegisterFN::LastDocumentNumber() const
{
    return Documents.empty() ? 0 : Documents.back().Number;
}

QDateTime RegisterFN::FNDateTime() const
{
    return Documents.empty() ? FRegister.Now() : Documents.back().DateTime;
}

FNDocument* RegisterFN::Find(int number)
{
    // Documents are numbered in order from the first kept.
    if (!Documents.empty()) {
        const qint64 index = qint64(number) - Documents.front().Number;
        if (index >= 0 && index < qint64(Documents.size()) && Documents[std::size_t(index)].Number == number)
            return &Documents[std::size_t(index)];
    }
    for (FNDocument& doc : Documents)
        if (doc.Number == number)
            return &doc;
    return nullptr;
}

std::vector<const FNDocument*> RegisterFN::Unconfirmed() const
{
    std::vector<const FNDocument*> docs;
    for (const FNDocument& doc : Documents)
        if (!doc.OFDTicketReceived)
            docs.push_back(&doc);
    return docs;
}

int RegisterFN::UnconfirmedCount() const
{
    // Numbers run on from 1: the confirmed ones come first. One confirmed
    // on its own after them is passed over.
    const std::size_t count = Documents.size();
    FFirstWaiting = std::min(count, std::max(FFirstWaiting, std::size_t(std::max(0, LastConfirmed))));
    while (FFirstWaiting < count && Documents[FFirstWaiting].OFDTicketReceived)
        ++FFirstWaiting;
    return int(count - FFirstWaiting);
}

const FNDocument* RegisterFN::FirstUnconfirmed() const
{
    return UnconfirmedCount() > 0 ? &Documents[FFirstWaiting] : nullptr;
}

int RegisterFN::Resource5Year() const
{
    return std::max(0, Capacity5Year - int(Documents.size()));
}

int RegisterFN::Resource30DayKb() const
{
    // From the first unconfirmed on: the older ones need not be read back.
    int bytes = 0;
    if (UnconfirmedCount() > 0)
        for (std::size_t i = FFirstWaiting; i < Documents.size(); ++i)
            if (const FNDocument& doc = Documents[i]; !doc.OFDTicketReceived)
                bytes += doc.Size();
    return std::max(0, Capacity30DayKb - (bytes + 1023) / 1024);
}

int RegisterFN::RegistrationCount() const
{
    return FRegistrations;
}

int RegisterFN::FreeRegistration() const
{
    return std::max(0, RegistrationLimit - RegistrationCount());
}

std::int32_t RegisterFN::CheckFiscalMode() const
{
    return FiscalMode() ? 0 : FNError::OtherState;
}

std::int32_t RegisterFN::CheckNoSession() const
{
    if (std::int32_t code = CheckFiscalMode())
        return code;
    return SessionOpen() ? FNError::OtherState : 0;
}

std::int32_t RegisterFN::BeginDocument(int openDocument)
{
    if (std::int32_t code = CheckFiscalMode())
        return code;
    if (CurrentDocument != FNOpenDoc::None)
        return FNError::OtherState;
    CurrentDocument = openDocument;
    DocumentData = false;
    return 0;
}

void RegisterFN::CancelDocument()
{
    CurrentDocument = FNOpenDoc::None;
    DocumentData = false;
}

FNDocument& RegisterFN::AddDocument(int type)
{
    FNDocument doc;
    doc.Number = LastDocumentNumber() + 1;
    doc.Type = type;
    doc.DateTime = FRegister.Now();
    doc.FiscalSign = FiscalSignOf(Serial, doc.Number, doc.DateTime);
    doc.SessionNumber = SessionNumber();
    CancelDocument();
    if (doc.IsReceipt()) {
        FSessionReceipts = FSessionOfReceipts == doc.SessionNumber ? FSessionReceipts + 1 : 1;
        FSessionOfReceipts = doc.SessionNumber;
    }
    if (type == FNDocType::Registration || type == FNDocType::Reregistration)
        ++FRegistrations;
    Documents.push_back(std::move(doc));
    return Documents.back();
}

std::int32_t RegisterFN::Fiscalise(const FNRegistration& data, FNDocument** doc)
{
    if (LifeState != FNLife::Configured ||
        (CurrentDocument != FNOpenDoc::None && CurrentDocument != FNOpenDoc::Registration &&
         CurrentDocument != FNOpenDoc::ReregistrationNewFN))
        return FNError::OtherState;
    if (FreeRegistration() == 0)
        return FNError::ResourceExhausted;
    // A new FN put into a registered register starts with a re-registration report.
    FNDocument& d = AddDocument(CurrentDocument == FNOpenDoc::ReregistrationNewFN ? FNDocType::Reregistration
                                                                                  : FNDocType::Registration);
    d.Registration = data;
    Registration = data;
    MirrorRegistration();
    LifeState = FNLife::Configured | FNLife::FiscalMode;
    Expiry = d.DateTime.date().addMonths(ValidityMonths);
    if (doc)
        *doc = &d;
    return 0;
}

void RegisterFN::MirrorRegistration()
{
    // Table 18 shows the registration's INN and number and the FN's serial.
    RegisterTables& tables = FRegister.Tables();
    tables.SetValue(18, 1, 2, Registration.INN);
    tables.SetValue(18, 1, 3, Registration.KKTRegistrationNumber);
    tables.SetValue(18, 1, 4, Serial);
}

std::int32_t RegisterFN::Reregister(const FNRegistration& data, FNDocument** doc)
{
    if (LifeState == FNLife::Configured && CurrentDocument == FNOpenDoc::ReregistrationNewFN)
        return Fiscalise(data, doc);
    if (std::int32_t code = CheckNoSession())
        return code;
    if (CurrentDocument != FNOpenDoc::None && CurrentDocument != FNOpenDoc::Reregistration &&
        CurrentDocument != FNOpenDoc::ReregistrationNewFN)
        return FNError::OtherState;
    if (FreeRegistration() == 0)
        return FNError::ResourceExhausted;
    FNDocument& d = AddDocument(FNDocType::Reregistration);
    d.Registration = data;
    Registration = data;
    MirrorRegistration();
    if (doc)
        *doc = &d;
    return 0;
}

std::int32_t RegisterFN::OpenSession()
{
    if (std::int32_t code = CheckNoSession())
        return code;
    if (CurrentDocument != FNOpenDoc::None && CurrentDocument != FNOpenDoc::OpenSession)
        return FNError::OtherState;
    FNDocument& d = AddDocument(FNDocType::OpenSession);
    d.SessionNumber = SessionNumber() + 1;

    const FNKeyServer& k = KeyServer;
    int code = !k.Reachable ? 255 : k.ErrorCode ? k.ErrorCode : k.PendingKeys > 0 ? 0 : 254;
    LastKeyUpdate.ResultCode = code;
    LastKeyUpdate.Status = (code == 0 ? k.PendingKeys << 2 : 0) | (k.CheckFailure & 3);
    if (code == 0)
        KeyServer.PendingKeys = 0;
    return 0;
}

std::int32_t RegisterFN::CloseSession()
{
    if (std::int32_t code = CheckFiscalMode())
        return code;
    if (!SessionOpen() || (CurrentDocument != FNOpenDoc::None && CurrentDocument != FNOpenDoc::CloseSession))
        return FNError::OtherState;
    AddDocument(FNDocType::CloseSession);
    return 0;
}

std::int32_t RegisterFN::CloseFiscalMode(FNDocument** doc)
{
    if (std::int32_t code = CheckNoSession())
        return code;
    if (CurrentDocument != FNOpenDoc::None && CurrentDocument != FNOpenDoc::CloseFN)
        return FNError::OtherState;
    FNDocument& d = AddDocument(FNDocType::CloseFN);
    d.Registration.INN = Registration.INN;
    d.Registration.KKTRegistrationNumber = Registration.KKTRegistrationNumber;
    LifeState |= FNLife::Closed;
    if (doc)
        *doc = &d;
    return 0;
}

std::int32_t RegisterFN::BuildCalculationReport(FNDocument** doc)
{
    if (std::int32_t code = CheckFiscalMode())
        return code;
    if (CurrentDocument != FNOpenDoc::None && CurrentDocument != FNOpenDoc::CalculationReport)
        return FNError::OtherState;
    const int count = UnconfirmedCount();
    const QDateTime first = count > 0 ? FirstUnconfirmed()->DateTime : QDateTime();
    FNDocument& d = AddDocument(FNDocType::CalculationReport);
    d.DocumentCount = count;
    d.FirstUnconfirmed = first;
    if (doc)
        *doc = &d;
    return 0;
}

void RegisterFN::Confirm(int number)
{
    LastConfirmed = std::max(LastConfirmed, number);
    // Documents read back later take their tickets from LastConfirmed.
    Documents.ForEachHeld([number](FNDocument& doc) {
        if (doc.Number <= number)
            doc.OFDTicketReceived = true;
    });
    if ((LifeState & FNLife::Closed) && UnconfirmedCount() == 0)
        LifeState |= FNLife::AllSent;
}

int RegisterFN::UpdateOKPKeys()
{
    if (!KeyServer.OKPSupported)
        return 254;
    if (!KeyServer.Reachable)
        return 255;
    int answer = KeyServer.PendingKeys;
    KeyServer.PendingKeys = 0;
    return answer;
}

void RegisterFN::Reset()
{
    LifeState = FNLife::Configured;
    CancelDocument();
    Documents.clear();
    LastConfirmed = 0;
    ++Resets;
    FSessionOfReceipts = FSessionReceipts = FRegistrations = 0;
    FFirstWaiting = 0;
    Registration = {};
    Expiry = QDate();
    LastKeyUpdate = {};
    RegisterState& s = FRegister.State();
    if (s.SessionOpen) {
        s.SessionOpen = false;
        s.Mode = 4;
        s.SessionOpenedAt = QDateTime();
    }
    s.SessionNumber = 0;
}
