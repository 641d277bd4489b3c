#pragma once
// The receipt of an emulated register: the open receipt (ECRMode 8, its
// kind in ECRModeStatus) with its operations, the closing with up to 16
// payment sums and the change, cash in and out, cancelling, the copy of the
// last document, the cash registers the operations add to, and the printing
// of all of it onto the register's paper, line by line as it happens.
//
// Every operation checks first and changes nothing when it answers an error
// code. A receipt is a document of the FN (RegisterFN): opening it begins the
// FN's document, closing it adds the receipt with its total and the tags sent
// for it, cancelling ends the FN's document. An operation that may start a document in a closed session opens the
// session through the SessionOpener it is given (the handlers pass the
// register's own OpenSession command).
//
// The FN items and closings build on the same state: an item with FN data
// (ReceiptItem::FN) goes through Register(), an FN closing (ReceiptClosing::FN)
// through Close(), whose FN document then carries the receipt's TLV data
// (FNReceiptTags). Correction receipts are opened with Open(..., correction)
// or built in one step with BuildCorrection().
#include "core/binding/OrvekTypes.h"
#include "emulator/EmulatedRegister.h"
#include "emulator/RegisterTags.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>
#include <vector>

struct FNDocument;

// Receipt kinds (CheckType) and the operations of the kinds.
namespace ReceiptType {
inline constexpr int Sale = 0;
inline constexpr int Buy = 1;
inline constexpr int ReturnSale = 2;
inline constexpr int ReturnBuy = 3;
} // namespace ReceiptType

enum class ReceiptOp {
    Registration,    // an item of the receipt's kind
    Storno,          // an item taken back
    Discount,        // an amount off the subtotal
    Charge,          // an amount onto the subtotal
    StornoDiscount,  // a discount taken back
    StornoCharge,    // a charge taken back
};

// What an FN item (FNOperation) keeps besides the common values.
struct FNItemData {
    int Tax = 1;                       // 1..10: the VAT rate
    std::optional<Currency> TaxValue;  // the item's VAT sum, when given
    bool SummGiven = false;            // Amount is the sum given, not price × quantity
    int PaymentTypeSign = 4;           // 1..7
    int PaymentItemSign = 1;           // 1..27, 30..33
    int ProductStatus = 0;             // the goods status of a marked item: 0..6 or 255
    int MeasureUnit = 0;
    int Numerator = 0;                 // a fractional quantity numerator / denominator (0: none)
    int Denominator = 0;

    void Keep(StateArchive& a)
    {
        a(Tax, TaxValue, SummGiven, PaymentTypeSign, PaymentItemSign, ProductStatus, MeasureUnit, Numerator, Denominator);
    }
};

struct ReceiptItem {
    ReceiptOp Op = ReceiptOp::Registration;
    int Type = ReceiptType::Sale;  // the kind of the item; the receipt's kind once it is open
    Currency Price = 0;
    double Quantity = 1;           // as given
    int QuantityDecimals = 3;      // the quantity counts in steps of 10^-decimals
    Currency Amount = 0;           // price × quantity in kopecks; for a discount or charge the amount given
    int Department = 1;            // 1..16
    std::array<int, 4> Taxes{};    // tax groups 0..6
    QString Text;
    int ExciseCode = -1;           // an excisable operation: its code (-1: none)
    QString BarCode;
    int WareCode = 0;              // a ware of the ware base (0: none)
    std::optional<FNItemData> FN;  // an FN item
    std::size_t TagsBefore = 0;    // tags sent before the item; item-bound ones after it are its own

    void Keep(StateArchive& a)
    {
        a(Op, Type, Price, Quantity, QuantityDecimals, Amount, Department, Taxes, Text, ExciseCode, BarCode, WareCode, FN,
          TagsBefore);
    }
};

// The FN closing (FNCloseCheckEx): VAT sums, rounding and the tax system.
struct FNClosingData {
    std::array<Currency, 11> TaxValues{};  // VAT sums 1..10 (index 0 unused)
    bool AddTaxes = false;                 // sums 7..10 are sent
    int Rounding = 0;                      // kopecks off the total, 0..99
    int TaxType = 0;                       // one tax-system bit (1..32) of the registration; 0: none given
};

// A correction receipt in one step (FNBuildCorrectionReceipt2 and the older form).
struct CorrectionData {
    int CorrectionType = -1;               // 0 on its own, 1 by order; -1 not given
    int CalculationSign = 1;               // 1 correction of income, 3 of expense
    int TaxType = 0;                       // one tax-system bit; 0 not given
    Currency Total = 0;
    std::array<Currency, 6> Payments{};    // 1 cash, 2 electronic, 3 prepaid, 4 postpaid, 5 counter
    std::array<Currency, 11> TaxSums{};    // 1..10
};

struct ReceiptClosing {
    std::array<Currency, 17> Payments{};  // sums 1..16 (index 0 unused); sum 1 is cash
    double DiscountPercent = 0;           // 0..99.99, off the subtotal
    Currency DiscountValue = 0;           // an amount off the subtotal
    Currency ChargeValue = 0;             // an amount onto the subtotal
    std::array<int, 4> Taxes{};
    QString Text;                         // printed before the total
    bool WithKPK = false;                 // print and answer the control code
    std::optional<FNClosingData> FN;      // an FN closing
};

// A finished receipt.
struct ReceiptDocument {
    int Number = 0;
    int Type = ReceiptType::Sale;
    std::vector<ReceiptItem> Items;
    Currency SubTotal = 0;
    Currency Total = 0;
    std::array<Currency, 17> Payments{};
    Currency Change = 0;
    QString KPK;
    QDateTime Time;
    int FNNumber = 0;                     // its FN document
    std::uint32_t FiscalSign = 0;

    void Keep(StateArchive& a)
    {
        a(Number, Type, Items, SubTotal, Total);
        KeepSparse(a, Payments);
        a(Change, KPK, Time, FNNumber, FiscalSign);
    }
};

// Cash register numbers.
namespace CashReg {
inline constexpr int Receipt = 0;            // 0..63: the open receipt by kind × 16 + department - 1
inline constexpr int Session = 64;           // 64..127: the session by kind × 16 + department - 1
inline constexpr int SessionDiscounts = 128; // 128..131: the session's discounts by kind
inline constexpr int SessionCharges = 132;   // 132..135: the session's charges by kind
inline constexpr int SessionTotals = 136;    // 136..139: the session's receipt totals by kind
inline constexpr int SalePayments = 193;     // 193..208: the session's sale payments by payment type 1..16
inline constexpr int CashInDrawer = 241;
inline constexpr int SessionCashIn = 242;
inline constexpr int SessionCashOut = 243;
inline constexpr int Count = 256;
} // namespace CashReg

class RegisterReceipt : public RegisterArea {
public:
    using SessionOpener = std::function<std::int32_t()>;

    explicit RegisterReceipt(EmulatedRegister& reg);

    bool IsOpen() const { return FOpen; }
    // An open correction receipt (FNOpenCheckCorrection).
    bool IsCorrection() const { return FCorrection; }
    // Opened with the former 20 % VAT rate (OpenCheckNDS20).
    bool IsVat20() const { return FVat20; }
    int Type() const { return FType; }
    const std::vector<ReceiptItem>& Items() const { return FItems; }
    // The items less storno, less discounts, plus charges.
    Currency SubTotal() const;
    // The last finished receipt (closed, not cancelled).
    const std::optional<ReceiptDocument>& LastReceipt() const { return FLastReceipt; }
    // The printed lines of the last document (receipt, cancelled receipt, cash in or out).
    const QStringList& LastDocument() const { return FLastDocument; }

    Currency CashRegister(int number) const;
    void SetCashRegister(int number, Currency value);
    // The name of a cash register; empty for a number out of 0..255.
    static QString CashRegisterName(int number);

    // Lines of paper left on the roll; -1: endless. When it runs out in the
    // middle of a document the rest waits (AdvancedMode 2, no receipt paper);
    // with paper in again (the ribbon flag back on) ContinuePrint prints it.
    int PaperLeft = -1;
    const QStringList& WaitingLines() const { return FWaiting; }

    // The operations; each answers a result code.
    // A correction receipt becomes an FN correction document when it closes.
    std::int32_t Open(int type, const SessionOpener& openSession, bool correction = false, bool vat20 = false);
    // Registration (opens a receipt of the item's kind when none is open),
    // storno, discounts and charges.
    std::int32_t Register(ReceiptItem item, const SessionOpener& openSession);
    std::int32_t SubTotal(Currency& value) const;
    std::int32_t Close(const ReceiptClosing& closing, Currency& change, QString& kpk);
    std::int32_t Cancel();
    // The FN's correction document begun (FNBeginCorrectionReceipt), and the
    // correction receipt built in one step; a begun one is used, else it
    // begins here. `doc` is the FN document made.
    std::int32_t BeginCorrection(const SessionOpener& openSession);
    std::int32_t BuildCorrection(const CorrectionData& data, const SessionOpener& openSession,
                                 const FNDocument** doc = nullptr);
    std::int32_t CashIn(Currency amount, const SessionOpener& openSession);
    std::int32_t CashOut(Currency amount, const SessionOpener& openSession);
    std::int32_t RepeatDocument();
    std::int32_t ContinuePrint();
    // The device's state reset: lines waiting for paper are dropped and an
    // open receipt ends unprinted (its FN document cancelled).
    void Reset();
    // The session ends (Z report): the session's registers go back to 0.
    void EndSession();

    // Item amount: price × quantity rounded to the kopeck, the quantity
    // taken in steps of 10^-decimals; false when out of range.
    static bool ItemAmount(Currency price, double quantity, int decimals, Currency& amount);
    // An item's amount: price × quantity; for an FN item with a fractional
    // quantity price × numerator / denominator, with its sum given that sum.
    static bool ExpectedAmount(const ReceiptItem& item, Currency& amount);
    // The largest amount a register holds (five bytes of kopecks).
    static constexpr Currency MaxAmount = Currency(0xFFFFFFFFFFLL) * 100;

    void Keep(StateArchive& a);

private:
    std::int32_t CanPrint();
    std::int32_t CanStartDocument() const;
    std::int32_t CanStartReceipt() const;
    std::int32_t OpenSessionIfClosed(const SessionOpener& openSession);
    std::int32_t CheckItem(const ReceiptItem& item) const;
    std::int32_t CheckEffect(const ReceiptItem& item) const;
    std::int32_t CashMove(Currency amount, bool in, const SessionOpener& openSession);
    void StartDocument();
    void FinishDocument();
    void StartReceipt(int type, bool correction, bool vat20);
    void EndReceipt();
    void Feed(const QString& text);
    void Print(const QString& text);
    void PrintPair(const QString& left, const QString& right);
    void PrintFooter();
    void PrintItem(const ReceiptItem& item);
    QString AmountText(Currency value) const;
    QString PaymentName(int n) const;
    int Width() const;
    Currency& Reg(int number) { return FRegisters[std::size_t(number)]; }

    EmulatedRegister& FRegister;
    bool FOpen = false;
    bool FCorrection = false;
    bool FVat20 = false;
    int FType = ReceiptType::Sale;
    int FNumber = 0;                          // of the document being printed
    std::vector<ReceiptItem> FItems;
    std::array<Currency, 17> FDepartments{};  // the open receipt by department 1..16
    Currency FDiscounts = 0;
    Currency FCharges = 0;
    std::array<Currency, CashReg::Count> FRegisters{};  // 64..255; 0..63 come from the open receipt
    std::optional<ReceiptDocument> FLastReceipt;
    QStringList FDocument;  // the lines of the document being printed
    QStringList FLastDocument;
    QStringList FWaiting;   // lines waiting for paper
    int FKPKNumber = 0;
};
