#pragma once
// The register's fiscal accumulator (FN): life state, the document being
// built, identity and resources, the registration data in force, the store of
// fiscal documents with their data and OFD tickets, and the key service the FN
// reaches. Every FN area of the emulator works on this one state:
//
//   RegisterFN& fn = c.Reg().Area<RegisterFN>();
//   if (std::int32_t code = fn.CheckFiscalMode())
//       return code;
//   FNDocument& doc = fn.AddDocument(FNDocType::Receipt);
//   doc.OperationType = 1;
//   doc.Summ = 1234500;
//   doc.Tags = std::move(c.Reg().Area<RegisterTags>().Sent);
//
// AddDocument numbers the document, dates it by the register's clock, signs
// it, binds it to the session and ends the document being built. The OFD
// exchange confirms documents with Confirm. The session itself is the
// register's (RegisterState::SessionOpen and SessionNumber); the register's
// session open and close call OpenSession and CloseSession here.
#include "core/binding/OrvekTypes.h"
#include "emulator/EmulatedRegister.h"
#include "emulator/RegisterTags.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <deque>
#include <functional>
#include <iterator>
#include <vector>

// Document types in the code set of the document search (FNFindDocument).
namespace FNDocType {
enum : int {
    Registration = 1,
    OpenSession = 2,
    Receipt = 3,
    BSO = 4,
    CloseSession = 5,
    CloseFN = 6,
    OperatorConfirmation = 7,
    Reregistration = 11,
    CalculationReport = 21,
    CorrectionReceipt = 31,
    CorrectionBSO = 41,
};
}

// The document being built (FNCurrentDocument), in the code set of the status.
namespace FNOpenDoc {
enum : int {
    None = 0,
    Registration = 1,
    OpenSession = 2,
    Receipt = 4,
    CloseSession = 8,
    CloseFN = 16,
    BSO = 17,
    ReregistrationNewFN = 18,
    Reregistration = 19,
    CorrectionReceipt = 20,
    CorrectionBSO = 21,
    CalculationReport = 23,
};
}

// Bits of the life state: 1 a blank FN, 3 fiscal mode, 7 fiscal mode closed,
// 15 closed and every document handed to the OFD.
namespace FNLife {
enum : int { Configured = 1, FiscalMode = 2, Closed = 4, AllSent = 8 };
}

// FN error codes; the register answers them as its result code.
namespace FNError {
enum : int { UnknownCommand = 1, OtherState = 2, NoData = 8, BadParameter = 9, ResourceExhausted = 18 };
}

// The registration data of a registration or re-registration report.
struct FNRegistration {
    QString INN;
    QString INNOFD;
    QString KKTRegistrationNumber;
    int TaxType = 1;               // bits: 0 ОСН ... 5 Патент
    int WorkMode = 0;              // bits: 0 encryption ... 5 internet
    int WorkModeEx = 0;            // extended bits: 0 excise goods ... 3 printer in a vending machine
    int ReasonCode = 0;            // re-registration: 1 FN, 2 OFD, 3 details, 4 settings
    std::uint32_t ReasonCodeEx = 0;  // re-registration: the reason-code mask

    void Keep(StateArchive& a)
    {
        a(INN, INNOFD, KKTRegistrationNumber, TaxType, WorkMode, WorkModeEx, ReasonCode, ReasonCodeEx);
    }
};

struct FNDocument {
    int Number = 0;
    int Type = 0;                   // FNDocType
    QDateTime DateTime;
    std::uint32_t FiscalSign = 0;
    bool OFDTicketReceived = false;
    int SessionNumber = 0;          // the session it belongs to (the one opened or closed for 2 and 5)
    int ReceiptNumber = 0;          // receipts: the number within the session
    int OperationType = 0;          // receipts: 1 sale, 2 sale return, 3 buy, 4 buy return
    Currency Summ = 0;              // receipts: the total
    std::array<Currency, 17> Payments{};  // receipts: the sums 1..16 kept (cash less the change)
    std::array<Currency, 11> TaxSums{};   // FN receipts and corrections: the VAT sums 1..10
    FNRegistration Registration;    // registration, re-registration, FN close (INN, RNM)
    int DocumentCount = 0;          // calculation-state report: documents not confirmed
    QDateTime FirstUnconfirmed;     // calculation-state report: the first of them (invalid: none)
    std::vector<FNTag> Tags;        // the document's TLV data

    // Bytes of the document as the OFD gets it.
    int Size() const;
    bool IsReceipt() const;         // receipt, BSO, correction receipt or correction BSO

    void Keep(StateArchive& a);
};

// The FN's documents in number order. All of them stay in memory unless a
// reader is set (a register that keeps its state in a folder): then only the
// latest Window documents and those not yet released are held, and older ones
// are read back when asked for. A document read back stays valid until
// CacheSlots more have been read; changes made to it are not kept.
class FNDocumentList {
public:
    static constexpr std::size_t Window = 4096;
    static constexpr std::size_t CacheSlots = 64;
    // Reads the document at the index into the document; false when it cannot.
    using Reader = std::function<bool(std::size_t index, FNDocument& doc)>;

    template <class List, class Doc> class Iter {
    public:
        using iterator_category = std::bidirectional_iterator_tag;
        using value_type = FNDocument;
        using difference_type = std::ptrdiff_t;
        using pointer = Doc*;
        using reference = Doc&;
        Iter() = default;
        Iter(List* list, std::size_t index) : FList(list), FIndex(index) {}
        reference operator*() const { return (*FList)[FIndex]; }
        pointer operator->() const { return &(*FList)[FIndex]; }
        Iter& operator++() { ++FIndex; return *this; }
        Iter operator++(int) { Iter t = *this; ++FIndex; return t; }
        Iter& operator--() { --FIndex; return *this; }
        Iter operator--(int) { Iter t = *this; --FIndex; return t; }
        bool operator==(const Iter& o) const { return FIndex == o.FIndex; }
    private:
        List* FList = nullptr;
        std::size_t FIndex = 0;
    };
    using iterator = Iter<FNDocumentList, FNDocument>;
    using const_iterator = Iter<const FNDocumentList, const FNDocument>;
    using reverse_iterator = std::reverse_iterator<iterator>;
    using const_reverse_iterator = std::reverse_iterator<const_iterator>;

    std::size_t size() const { return FCount; }
    bool empty() const { return FCount == 0; }
    FNDocument& operator[](std::size_t index);
    const FNDocument& operator[](std::size_t index) const { return const_cast<FNDocumentList&>(*this)[index]; }
    FNDocument& front() { return (*this)[0]; }
    const FNDocument& front() const { return (*this)[0]; }
    FNDocument& back() { return (*this)[FCount - 1]; }
    const FNDocument& back() const { return (*this)[FCount - 1]; }
    iterator begin() { return {this, 0}; }
    iterator end() { return {this, FCount}; }
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, FCount}; }
    reverse_iterator rbegin() { return reverse_iterator(end()); }
    reverse_iterator rend() { return reverse_iterator(begin()); }
    const_reverse_iterator rbegin() const { return const_reverse_iterator(end()); }
    const_reverse_iterator rend() const { return const_reverse_iterator(begin()); }

    void push_back(FNDocument doc);
    FNDocument& emplace_back();
    void pop_back();
    void clear() { resize(0); }
    // Keeps the first `count` documents (never more than there are).
    void resize(std::size_t count);
    void reserve(std::size_t) {}

    // Reads documents before the held ones with the reader from now on.
    void SetReader(Reader reader);
    // There are `count` documents, all to be read back: none is held.
    void Restore(std::size_t count);
    bool Bounded() const { return bool(FReader); }
    // The documents before `count` may be read back: those before the
    // window are no longer held.
    void Release(std::size_t count);
    // The documents held in memory (the window and those not yet released).
    std::size_t Held() const { return FHeld.size(); }
    // Each document held in memory, oldest first, and those read back.
    template <class F> void ForEachHeld(F f)
    {
        for (auto& [index, doc] : FCache)
            f(doc);
        for (FNDocument& doc : FHeld)
            f(doc);
    }

private:
    std::size_t FirstHeld() const { return FCount - FHeld.size(); }

    std::size_t FCount = 0;
    std::deque<FNDocument> FHeld;   // the last ones
    Reader FReader;
    std::deque<std::pair<std::size_t, FNDocument>> FCache;  // read back, the latest last
};

// The key service the FN reaches when a session opens and for the OKP update.
struct FNKeyServer {
    bool Reachable = true;
    int PendingKeys = 2;      // keys waiting for this FN
    int ErrorCode = 0;        // an FN error that ends the update at session open (35, 36, ...)
    int CheckFailure = 0;     // bits 0 and 1 of UpdateKeysStatus: verification keys not updated
    bool OKPSupported = true; // the firmware takes the OKP update command

    void Keep(StateArchive& a) { a(Reachable, PendingKeys, ErrorCode, CheckFailure, OKPSupported); }
};

// What the last session open did to the keys (GetShortECRStatus).
struct FNKeyUpdate {
    int ResultCode = 254;     // 0 updated, 254 not needed, 255 no link, else an FN error
    int Status = 0;           // keys updated << 2 | CheckFailure

    void Keep(StateArchive& a) { a(ResultCode, Status); }
};

class RegisterFN : public RegisterArea {
public:
    // A fiscalised FN with its registration report (number 1, confirmed by
    // the OFD, 30 days before the register's clock).
    explicit RegisterFN(EmulatedRegister& reg);

    // Identity.
    QString Serial = QStringLiteral("9960000000012345");
    QString SoftVersion = QStringLiteral("fn_v_1_2_10");
    int SoftType = 0;                  // 0 debug (FNResetState works), 1 serial
    QString Implementation = QStringLiteral("Эмулятор ФН, исп. 36-2");
    QDate Expiry;                      // set by fiscalisation
    int ValidityMonths = 36;
    int RegistrationLimit = 30;        // registration reports the FN takes

    // State.
    int LifeState = FNLife::Configured;
    int CurrentDocument = FNOpenDoc::None;
    bool DocumentData = false;         // data of the document being built has arrived
    int WarningFlags = 0;              // added to the flags the FN works out itself
    int OSUSupportStatus = 0;          // 0 supported, 1 active, 255 not supported
    int MarkingFillPercentage = 0;     // -1: the FN keeps no marking notifications
    int NotificationSize = 0;          // bytes of the marking notification waiting for the OISM
    int Capacity5Year = 250000;        // documents the archive holds
    int Capacity30DayKb = 512;         // the queue of documents for the OFD

    FNRegistration Registration;       // in force since the last (re-)registration
    FNDocumentList Documents;          // in number order, the first is number 1
    FNKeyServer KeyServer;
    FNKeyUpdate LastKeyUpdate;
    int LastConfirmed = 0;             // the highest number the OFD confirmed up to (Confirm)
    int Resets = 0;                    // times the FN was made blank (Reset)

    // Everything but the documents, which are kept one by one as they come.
    void Keep(StateArchive& a);

    // Fiscal mode: fiscalised and not closed.
    bool FiscalMode() const;
    bool SessionOpen() const;
    // The open session, or the last closed one.
    int SessionNumber() const;
    // Receipts of that session.
    int ReceiptCount() const;
    // WarningFlags with the flags for the expiry (bit 0: 3 days, bit 1: 30
    // days), a 90 % full archive (bit 2) and a document the OFD has not
    // confirmed for 30 days (bit 3).
    int WarningFlagsNow() const;
    int LastDocumentNumber() const;
    // The FN's clock: the time of its last document (the register's clock
    // while it has none).
    QDateTime FNDateTime() const;
    FNDocument* Find(int number);
    // (Documents read back stay valid only while few more are read: see FNDocumentList.)
    std::vector<const FNDocument*> Unconfirmed() const;
    // The count and the first of Unconfirmed(), without walking the store:
    // the documents after the last one the OFD confirmed wait for it.
    int UnconfirmedCount() const;
    const FNDocument* FirstUnconfirmed() const;
    int Resource5Year() const;
    int Resource30DayKb() const;
    // Registration and re-registration reports made.
    int RegistrationCount() const;
    int FreeRegistration() const;

    // Each returns 0 or the FN error.
    std::int32_t CheckFiscalMode() const;
    // Starts a document (FNOpenDoc) in fiscal mode when none is being built.
    std::int32_t BeginDocument(int openDocument);
    // Ends the document being built.
    void CancelDocument();
    // The next document of the type (FNDocType); ends the document being built.
    FNDocument& AddDocument(int type);

    // The registration report of a blank FN: fiscal mode, Expiry set.
    std::int32_t Fiscalise(const FNRegistration& data, FNDocument** doc = nullptr);
    // A re-registration report (fiscal mode, session closed).
    std::int32_t Reregister(const FNRegistration& data, FNDocument** doc = nullptr);
    // The register opens / closes its session: the FN's document; the open
    // also updates the keys (LastKeyUpdate).
    std::int32_t OpenSession();
    std::int32_t CloseSession();
    // The FN close report (fiscal mode, session closed).
    std::int32_t CloseFiscalMode(FNDocument** doc = nullptr);
    // The calculation-state report (fiscal mode).
    std::int32_t BuildCalculationReport(FNDocument** doc = nullptr);
    // The OFD tickets of the documents up to the number.
    void Confirm(int number);
    // The OKP key update: the answer byte (0-2 keys updated, 254 not done, 255 no link).
    int UpdateOKPKeys();
    // A blank FN: no documents, no registration, the register's session closed.
    void Reset();

private:
    void MirrorRegistration();
    std::int32_t CheckNoSession() const;
    EmulatedRegister& FRegister;

    // Kept with the FN as documents come, so that no call walks the store.
    int FSessionOfReceipts = 0;     // the session of the latest receipt
    int FSessionReceipts = 0;       // receipts of that session
    int FRegistrations = 0;         // registration and re-registration reports
    mutable std::size_t FFirstWaiting = 0;  // no document before this index waits for the OFD
};
