#pragma once
// The counters an emulated register reports on: operation registers (16-bit
// counts, some pairs holding the halves of one 32-bit count), the extended
// cash registers 4096..4522 (amounts, or counts for the count registers),
// the session's turnover by tax group, cashier and hour, and the ware base
// with each ware's receipt and session registers. The receipt feeds them as
// its receipts close and cash moves (ReceiptClosed, CashMoved); the Z report
// ends the session's part (EndSession).
#include "core/binding/OrvekTypes.h"
#include "emulator/EmulatedRegister.h"

#include <QString>
#include <QStringList>
#include <array>
#include <map>
#include <vector>

struct ReceiptDocument;

// Operation register numbers.
namespace OperReg {
inline constexpr int ItemsByDepartment = 0;   // 0..63: items by kind × 16 + department - 1
inline constexpr int Receipts = 144;           // 144..147: receipts by kind
inline constexpr int CashIns = 148;
inline constexpr int CashOuts = 149;
inline constexpr int XReports = 150;
inline constexpr int ZReportsLow = 185;         // the pair (185, 186): Z reports
inline constexpr int DefaultCount = 256;
} // namespace OperReg

// Extended cash register numbers.
namespace CashRegEx {
inline constexpr int First = 4096;
inline constexpr int Last = 4522;
inline constexpr int SessionTotals = 4096;      // 4096..4099: receipt totals by kind
inline constexpr int ReceiptCounts = 4228;      // 4228, 4229, 4230, 4243: receipts by kind
} // namespace CashRegEx

struct Ware {
    Currency Price = 0;
    int Department = 1;
    std::array<int, 4> Taxes{};
    QString Text;
    std::array<Currency, 4> Session{};   // by receipt kind

    void Keep(StateArchive& a) { a(Price, Department, Taxes, Text, Session); }
};

struct TurnoverLine {
    int Count = 0;
    Currency Amount = 0;

    void Keep(StateArchive& a) { a(Count, Amount); }
};

class RegisterCounters : public RegisterArea {
public:
    explicit RegisterCounters(EmulatedRegister& reg);

    // Operation registers: 0..Count-1; past that none.
    int OperationRegisterCount() const { return int(FOperation.size()); }
    void SetOperationRegisterCount(int count);
    bool HasOperationRegister(int number) const { return number >= 0 && number < OperationRegisterCount(); }
    int OperationRegister(int number) const { return FOperation[std::size_t(number)]; }
    void SetOperationRegister(int number, int value) { FOperation[std::size_t(number)] = quint16(value); }
    QString OperationRegisterName(int number) const;
    // The first halves of the pairs (the second is the next register): with
    // an FN device 185, 196, 198; otherwise 185, 195, 197.
    std::vector<int> PairStarts() const;

    // Extended cash registers 4096..4522.
    static bool IsCountRegister(int number);
    Currency CashRegisterEx(int number) const;
    void SetCashRegisterEx(int number, Currency value) { FCashEx[number] = value; }
    static QString CashRegisterExName(int number);

    // Session turnover of sale receipts by tax group 1..6, by operator and by hour.
    const std::map<int, TurnoverLine>& ByTax() const { return FByTax; }
    const std::map<int, TurnoverLine>& ByCashier() const { return FByCashier; }
    const std::map<int, TurnoverLine>& ByHour() const { return FByHour; }

    // The ware base.
    const std::map<int, Ware>& Wares() const { return FWares; }
    const Ware* FindWare(int code) const;
    void PutWare(int code, const Ware& ware);
    bool RemoveWare(int code) { return FWares.erase(code) > 0; }
    // A ware's amounts in the open receipt, by kind.
    std::array<Currency, 4> WareInReceipt(int code) const;

    // Feeds.
    void ReceiptClosed(const ReceiptDocument& doc);
    void CashMoved(bool in);
    void XReportPrinted() { Increment(OperReg::XReports); }
    void EndSession();

    // The Z report kept in the register's buffer, printed from it once.
    QStringList ZReportBuffer;

    void Keep(StateArchive& a) { a(FOperation, FCashEx, FByTax, FByCashier, FByHour, FWares, ZReportBuffer); }

private:
    void Increment(int number);
    void IncrementPair(int low);
    bool CapFN() const;

    EmulatedRegister& FRegister;
    std::vector<quint16> FOperation;
    std::map<int, Currency> FCashEx;
    std::map<int, TurnoverLine> FByTax, FByCashier, FByHour;
    std::map<int, Ware> FWares;
};
