#pragma once
// TfmFNOperation: "Операции ФН", receipts of the FFD 1.05 to 1.2 formats:
// opening receipts and correction receipts, items with payment method,
// subject, measure, fractional quantity and the goods status of marked
// goods, an item together with the agent page's item-bound agent and
// supplier data, the extended closing with up to 16 payment sums (3..13 from
// the dialog fmExPayments), VAT sums and rounding; cash in and out, subtotal,
// the non-clearable sums, continued printing, the copy of the last document
// and the administrative cancel. Results go into a read-only memo.
#include "core/binding/OrvekTypes.h"
#include "core/pages/MemoReport.h"
#include "core/pages/untPages.h"

#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class TOrvek;

class TfmFNOperation : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Операции ФН";
    explicit TfmFNOperation(QWidget* owner = nullptr);

    // Item inputs.
    QComboBox* cbCheckType;
    QCheckBox* chkTaxValueEnabled;
    QLineEdit* edtTaxValue;
    QComboBox* cbTax1;
    QCheckBox* chkSumm1Enabled;
    QLineEdit* edtItemSumm1;
    QComboBox* cbPaymentTypeSign;
    QComboBox* cbPaymentItemSign;
    QComboBox* cbProductAssignedStatus;
    QComboBox* cbDepartment;
    QLineEdit* edtPrice;
    QLineEdit* edtQuantity;
    QLineEdit* edtName;
    QComboBox* cbMeasureUnit;
    QCheckBox* chkDivisionalQuantity;
    QLineEdit* edtNumerator;
    QLineEdit* edtDenominator;
    // Closing inputs.
    QLineEdit* edtSumm1;
    QLineEdit* edtSumm2;
    QLineEdit* edtSumm14;
    QLineEdit* edtSumm15;
    QLineEdit* edtSumm16;
    std::array<QLineEdit*, 10> edtTaxValues{};  // edtTaxValue1 .. edtTaxValue10
    QCheckBox* chkAddTaxesEnabled;
    QLineEdit* edtRoundingSumm;
    QComboBox* cbTaxType;
    QLineEdit* edtStringForPrinting;
    QPlainTextEdit* Memo;

    QPushButton* btnFNOperation;
    QPushButton* btnFNOperationAgent;
    QPushButton* btnFNCloseCheckEx;
    QPushButton* btnOpenCheck;
    QPushButton* btnOpenCheckNDS20;
    QPushButton* btnOpenCheckCorrection;
    QPushButton* btnOpenCheckCorrectionNDS20;
    QPushButton* btnSysAdminCancelCheck;
    QPushButton* btnCheckSubTotal;
    QPushButton* btnFNGetNonClearableSumm;
    QPushButton* btnCashIncome;
    QPushButton* btnCashOutcome;
    QPushButton* btnContinuePrint;
    QPushButton* btnRepeatDocument;
    QPushButton* btnExPayments;

    // The sums 3..13 of the extended closing, copied from fmExPayments.
    std::array<Currency, 17> Summ{};

    void UpdatePage() override;
    // Quantity or numerator and denominator by the fractional-quantity box;
    // the goods status only for the subjects 30..33.
    void UpdateForm();
    void UpdateExPayments();
    // The receipt type of the open operations: 0 income, 2 its return, 1 expense, 3 its return.
    int GetCheckType() const;

private:
    using TMethod = std::int32_t (TOrvek::*)();

    void FillLists();
    // The item inputs into the driver, in order.
    void SetItemParams();
    void SetCloseParams();
    void OpenOperation(TMethod Method);
    void CashOperation(TMethod Method);

    void btnFNOperationClick();
    void btnFNOperationAgentClick();
    void btnFNCloseCheckExClick();
    void btnOpenCheckClick();
    void btnOpenCheckNDS20Click();
    void btnOpenCheckCorrectionClick();
    void btnOpenCheckCorrectionNDS20Click();
    void btnSysAdminCancelCheckClick();
    void btnCheckSubTotalClick();
    void btnFNGetNonClearableSummClick();
    void btnCashIncomeClick();
    void btnCashOutcomeClick();
    void btnContinuePrintClick();
    void btnRepeatDocumentClick();
    void btnExPaymentsClick();

    TMemoReport FReport;
};
