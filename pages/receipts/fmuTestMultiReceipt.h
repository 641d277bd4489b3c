#pragma once
// TfmTestMultiReceipt: the page "Тестовые чеки", a receipt load generator.
// A run prints a number of shifts, each of a number of FN receipts (items
// through FNOperation, closing through FNCloseCheckEx); every receipt value
// is fixed, drawn at random or cycled by its rule, each shift may end with a
// Z report, and the FN's document and exchange state may be asked after each
// receipt. The run holds the port, keeps the window alive by handling events
// after every item and receipt, and ends on "Прервать".
#include "core/binding/OrvekTypes.h"
#include "core/pages/untPages.h"

#include <QDateTime>
#include <QRandomGenerator>
#include <cstdint>
#include <optional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

// The rules of the *ApplyType combos.
enum TApplyType : std::int32_t { atExact = 0, atRandom = 1, atCycle = 2 };

// The inputs of a run, read when it starts.
struct TTestReceiptParams {
    std::int32_t ReceiptType = 1;       // 1 приход, 2 возврат прихода, 3 расход, 4 возврат расхода
    std::int32_t Department = 0;
    std::int32_t DepartmentApplyType = atExact;
    double Quantity = 1;
    bool RandomQuantity = false;
    Currency Price = 0;
    bool RandomPrice = false;
    std::int32_t OperationCount = 1;
    bool RandomOperationCount = false;
    std::int32_t ReceiptCount = 1;      // per shift
    bool RandomReceiptCount = false;
    bool CloseDay = false;
    std::int32_t DayCount = 1;
    bool UnlimitedDayCount = false;
    std::int32_t PaymentApplyType = atExact;
    std::int32_t PaymentType = 1;       // 1..16
    std::uint8_t SNO = 1;               // one tax-system bit
    std::int32_t SNOApplyType = atExact;
    QString PositionName;
    bool PositionAddNumber = true;
    std::int32_t Tax = 1;               // 1..6
    std::int32_t TaxApplyType = atExact;
    std::int32_t ReceiptTypeApplyType = atExact;
    std::int32_t ItemType = 1;          // 1..7
    std::int32_t ItemSign = 1;          // the code of the chosen item sign
    std::int32_t ItemTypeApplyType = atExact;
    std::int32_t ItemSignApplyType = atExact;
};

class TfmTestMultiReceipt : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Тестовые чеки";
    explicit TfmTestMultiReceipt(QWidget* owner = nullptr);

    // The counters of the run (elapsed time, shifts, receipts).
    void UpdatePage() override;

    // FN receipt type 1..4 to the legacy one: 1 → 0, 2 → 2, 3 → 1, 4 → 3, else 0.
    static std::int32_t CheckTypeToOldType(std::int32_t Value);
    // ((i - 1) mod n) + 1 for i counted from 1: 1, 2, .., n, 1, ...; a bound
    // below 1 raises an error that names the value.
    static std::int32_t GetCycleValue(std::int32_t i, std::int32_t n, const QString& Name = {});
    // The byte with bit n - 1 set (n = 1 .. 6: ОСН .. Патент).
    static std::uint8_t SetSNO(std::int32_t n);

    // Receipt values.
    QComboBox* cbReceiptType;
    QComboBox* cbReceipTypeApplyType;
    QComboBox* cbDepartment;
    QComboBox* cbDepartmentApplyType;
    QComboBox* cbTax;
    QComboBox* cbTaxApplyType;
    QComboBox* cbItemType;
    QComboBox* cbItemTypeApplyType;
    QComboBox* cbItemSign;
    QComboBox* cbItemSignApplyType;
    QComboBox* cbPaymentType;
    QComboBox* cbPaymentApplyType;
    QComboBox* cbSNO;
    QComboBox* cbSNOApplyType;
    QLineEdit* edtQuantity;
    QCheckBox* chbRandomQuantity;
    QLineEdit* edtPrice;
    QCheckBox* chbRandomPrice;
    QLineEdit* edtPositionName;
    QCheckBox* chbPositionAddNumber;
    // Amounts.
    QSpinBox* seOperationCount;
    QCheckBox* chbRandomOperationCount;
    QSpinBox* seReceiptCount;
    QCheckBox* chbRandomReceiptCount;
    QCheckBox* chbCloseDay;
    QSpinBox* seDayCount;
    QCheckBox* chbUnlimitedDayCount;
    QCheckBox* chbRequestDocuments;
    // The run.
    QLineEdit* edtElapsed;
    QLineEdit* edtDaysDone;
    QLineEdit* edtReceiptsDone;
    QPushButton* btnStart;
    QPushButton* btnStop;

    void btnStartClick();
    void btnStopClick();
    // Enables the inputs by their rules and check boxes.
    void OnUpdatePage();

    // Tests: every run draws from this seed instead of the clock.
    std::optional<quint32> RandomSeed;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ReadParams();
    void Run();
    void PrintDay();
    void PrintReceipt(std::int32_t ReceiptNumber, std::int32_t ReceiptType);
    void PrintReceiptItem(std::int32_t ItemNumber, std::int32_t ReceiptNumber, std::int32_t ReceiptType);
    void SetPaymentType(Currency Total, std::int32_t ReceiptNumber);
    // A value by its rule: the exact one, drawn from 1..Count (0..Count-1
    // with ZeroBased), or cycled with the receipt number up to Exact.
    std::int32_t RuleValue(std::int32_t Rule, std::int32_t Exact, std::int32_t Count, std::int32_t ReceiptNumber,
                           const QString& Name, bool ZeroBased = false);
    // "Прервать" was pressed, or the window the run started in was closed.
    bool Stopped() const;
    // The silent abort when Stopped.
    void CheckStop() const;
    // Calls again while the register answers Busy; "Прервать" ends the wait and the run.
    std::int32_t WhileAnswering(std::int32_t Busy, const std::function<std::int32_t()>& Call);
    void ProcessMessages();
    // A stopped run cancels the receipt it left open; when the register
    // refuses, the user is told that it is open and how to close it.
    void CancelOpenReceipt();

    TTestReceiptParams FParams;
    QDateTime FStartTime;
    std::int64_t FDayCounter = 0;
    std::int64_t FReceiptCounter = 0;
    std::int32_t FDocumentNumber = 0;
    bool FStopFlag = false;
    bool FRunning = false;
    bool FReceiptOpen = false;  // a receipt of the run is open on the register
    bool FWindowShown = false;  // the window was on screen when the run started
    QRandomGenerator FRandom;
};
