#pragma once
// TfmExPayments2: the modal dialog "Доп. типы оплаты" with the extra payment
// sums 5 to 16 of the legacy receipt page, made on first use (MadeForm) as
// fmExPayments2 (TExPaymentsDialog: parsing, the close box, stored texts).
// Sum 16 lives in edtSumm17.
#include "pages/fn/ExPaymentsDialog.h"

class TfmExPayments2 : public TExPaymentsDialog {
    Q_OBJECT
public:
    explicit TfmExPayments2(QWidget* parent = nullptr);
};

extern TfmExPayments2* fmExPayments2;
