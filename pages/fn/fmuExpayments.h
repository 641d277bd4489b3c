#pragma once
// TfmExPayments: the modal dialog "Доп. типы оплаты" with the extra payment
// sums 3 to 13 (edtSumm3 .. edtSumm13) of the FN operations page, made on
// first use (MadeForm) as fmExPayments (TExPaymentsDialog: parsing, the close
// box, stored texts).
#include "pages/fn/ExPaymentsDialog.h"

class TfmExPayments : public TExPaymentsDialog {
    Q_OBJECT
public:
    explicit TfmExPayments(QWidget* parent = nullptr);
};

extern TfmExPayments* fmExPayments;
