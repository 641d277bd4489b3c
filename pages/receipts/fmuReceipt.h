#pragma once
// TfmReceipt: the page "Регистрация (устаревш.)" of the legacy receipt
// operations: items, storno, discounts and charges, subtotal, cash in and
// out, opening, the four closings, cancelling, the copy of the last
// document, continued printing and the excisable operation. Each button
// copies the page's inputs into the driver and calls one driver method; the
// subtotal and the closings show the amount returned. The extra payment sums
// 5..16 come from the dialog fmExPayments2.
#include "core/binding/OrvekTypes.h"
#include "core/pages/untPages.h"

#include <array>
#include <cstdint>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class TOrvek;

class TfmReceipt : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Регистрация (устаревш.)";
    explicit TfmReceipt(QWidget* owner = nullptr);

    // Relabels the storno and cancel buttons by model parameter 31 (3: the
    // correction texts).
    void UpdatePage() override;

    // Inputs.
    QLineEdit* edtPrice;
    QSpinBox* seDepartment;
    QComboBox* cbCheckType;
    std::array<QComboBox*, 4> cbTax;        // cbTax1 .. cbTax4
    QLineEdit* edtQuantity;
    std::array<QLineEdit*, 4> edtSumm;      // edtSumm1 .. edtSumm4
    QLineEdit* edtDiscountOnCheck;
    QLineEdit* edtStringForPrint;
    QLineEdit* edtName;
    QComboBox* cbNumber;
    QSpinBox* seNumber;
    QLineEdit* edtBarcode;
    QComboBox* cbOperationType;
    QSpinBox* seExciseCode;
    QCheckBox* cbUseWareCode;
    QSpinBox* edtWareCode;
    QLineEdit* edtDiscountValue;
    QLineEdit* edtChargeValue;
    // Outputs.
    QLineEdit* edtCheckSubTotal;
    QLineEdit* edtChange;
    QLineEdit* edtKPKStr;

    QPushButton* btnSale;
    QPushButton* btnBuy;
    QPushButton* btnReturnSale;
    QPushButton* btnReturnBuy;
    QPushButton* btnStorno;
    QPushButton* btnSaleEx;
    QPushButton* btnCharge;
    QPushButton* btnStornoCharge;
    QPushButton* btnDiscount;
    QPushButton* btnStornoDiscount;
    QPushButton* btnCheckSubTotal;
    QPushButton* btnCashInCome;
    QPushButton* btnCashOutCome;
    QPushButton* btnOpenCheck;
    QPushButton* btnCloseCheck;
    QPushButton* btnCloseCheckKPK;
    QPushButton* btnCloseCheckEx;
    QPushButton* btnCloseCheckBel;
    QPushButton* btnSysAdminCancelCheck;
    QPushButton* btnCancelCheck;
    QPushButton* btnRepeatDocument;
    QPushButton* btnBeep;
    QPushButton* btnContinuePrint;
    QPushButton* btnExciseOperation;
    QPushButton* btnSummEx;

    void btnSaleClick();
    void btnBuyClick();
    void btnReturnSaleClick();
    void btnReturnBuyClick();
    void btnStornoClick();
    void btnSaleExClick();
    void btnChargeClick();
    void btnStornoChargeClick();
    void btnDiscountClick();
    void btnStornoDiscountClick();
    void btnCheckSubTotalClick();
    void btnCashInComeClick();
    void btnCashOutComeClick();
    void btnOpenCheckClick();
    void btnCloseCheckClick();
    void btnCloseCheckKPKClick();
    void btnCloseCheckExClick();
    void btnCloseCheckBelClick();
    void btnSysAdminCancelCheckClick();
    void btnCancelCheckClick();
    void btnRepeatDocumentClick();
    void btnBeepClick();
    void btnContinuePrintClick();
    void btnExciseOperationClick();
    void btnSummExClick();
    void cbNumberChange();

private:
    using TMethod = std::int32_t (TOrvek::*)();

    void FillCheckTypes();
    void FillOperationTypes();
    // Item block, then the method.
    void SetParams();
    void ItemOperation(TMethod Method);
    // A method with nothing before it.
    void PlainOperation(TMethod Method);
    void CashOperation(TMethod Method);
    void SetTaxes();
    void SetSumms();
    void CheckSummTexts();
    void SetPlainCloseParams();
    // The closing method, then the change shown (cleared on an error).
    std::int32_t CloseOperation(TMethod Method);
    void CancelOperation(TMethod Method);
    void UpdateExPayments();

    // The extra payment sums 5..16, copied from the dialog before the extended closing.
    std::array<Currency, 17> FSumm{};
};
