#pragma once
// The fiscal memory of the older registers and its tax inspector: the
// fiscalisations (up to Capacity), a record of each closed session with its
// totals, the EKLZ activations, the tax inspector's password and the reports
// the inspector prints. A long report prints one line per LineMs on the
// register's clock and can be interrupted meanwhile.
#include "core/binding/OrvekTypes.h"
#include "emulator/EmulatedRegister.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <deque>
#include <vector>

struct FMFiscalization {
    int Number = 0;
    QString RNM;
    QString INN;
    std::int32_t TaxPassword = 0;  // the password set by this fiscalisation
    int SessionNumber = 0;         // the last session closed before it
    QDate Date;

    void Keep(StateArchive& a);
};

struct FMSession {
    int Number = 0;
    QDate Date;
    // Sales, purchases, sale returns, purchase returns.
    std::array<Currency, 4> Summ{};

    void Keep(StateArchive& a);
};

struct EKLZActivation {
    int Number = 0;
    QString EKLZNumber;
    int SessionNumber = 0;
    QDate Date;

    void Keep(StateArchive& a);
};

class RegisterFiscalMemory : public RegisterArea {
public:
    explicit RegisterFiscalMemory(EmulatedRegister& reg);

    static constexpr int Capacity = 16;
    static constexpr qint64 LineMs = 200;

    // The password now: the last fiscalisation's, before any the model's default.
    std::int32_t TaxPassword() const;
    // A password the inspector gives: 0, or BadPassword; on a model with the
    // lock (parameter 40) a wrong one blocks the register until the right one.
    std::int32_t EnterTaxPassword(std::int32_t password);
    bool Locked() const { return FLocked; }

    int FreeRegistration() const { return Capacity - int(Fiscalizations.size()); }
    std::int32_t Fiscalize(const QString& rnm, const QString& inn, std::int32_t newPassword, QString& description);
    // The Z report closed this session: its totals go into the memory.
    void SessionClosed(int number);
    // The sessions with numbers or dates in a range (inclusive).
    std::vector<const FMSession*> SessionsByNumber(int first, int last) const;
    std::vector<const FMSession*> SessionsByDate(const QDate& first, const QDate& last) const;

    // Printing: a short report at once, a long one line by line.
    void Print(const QStringList& lines, bool longReport);
    // Prints the lines that are due on the register's clock.
    void Pump();
    bool Printing() const { return !FWaiting.empty(); }
    // Stops a long report: false when none prints.
    bool Interrupt();

    std::vector<FMFiscalization> Fiscalizations;
    std::vector<FMSession> Sessions;
    std::vector<EKLZActivation> Activations;

    // The records and the inspector's lock; a report being printed stops.
    void Keep(StateArchive& a) { a(Fiscalizations, Sessions, Activations, FLocked); }

private:
    EmulatedRegister& FRegister;
    bool FLocked = false;
    std::deque<QString> FWaiting;
    QDateTime FNextLine;
};
