#pragma once
// The operation registers of an emulated register: 256 counters that the
// register's operations advance (items by kind and department, receipts,
// cancellations, cash in and out, sessions and reports). The session's
// counters go back to 0 with the Z report.
#include "core/binding/OrvekMembers.h"
#include "emulator/EmulatedRegister.h"
#include "emulator/OrvekProperties.h"

#include <QString>
#include <array>

namespace OperationReg {
inline constexpr int Items = 0;            // 0..63: items of the session by kind × 16 + department - 1
inline constexpr int Storno = 64;
inline constexpr int Discounts = 65;
inline constexpr int Charges = 66;
inline constexpr int StornoDiscounts = 67;
inline constexpr int StornoCharges = 68;
inline constexpr int Receipts = 69;        // 69..72: closed receipts of the session by kind
inline constexpr int Cancelled = 73;
inline constexpr int CashIn = 74;
inline constexpr int CashOut = 75;
inline constexpr int SessionCount = 76;    // the session's counters are 0..75
inline constexpr int SessionsOpened = 150;
inline constexpr int ZReports = 151;
inline constexpr int XReports = 152;
inline constexpr int Count = 256;
} // namespace OperationReg

class RegisterOperations : public RegisterArea {
public:
    explicit RegisterOperations(EmulatedRegister& reg) : FRegister(reg) {}

    int Value(int number) const { return FCounts[std::size_t(number)]; }
    void SetValue(int number, int value) { FCounts[std::size_t(number)] = value; }
    // The name of a register; empty for a number out of 0..255.
    static QString Name(int number);

    // A method the register carried out (answered 0) with the call's properties.
    void Advance(OrvekMethod method, const OrvekPropertyStore& props);

private:
    void Add(int number) { ++FCounts[std::size_t(number)]; }

    EmulatedRegister& FRegister;
    std::array<int, OperationReg::Count> FCounts{};
};
