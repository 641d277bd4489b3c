#include "pages/receipts/fmuExpayments2.h"

TfmExPayments2* fmExPayments2 = nullptr;

TfmExPayments2::TfmExPayments2(QWidget* parent)
    : TExPaymentsDialog(parent, "fmExPayments2", 5, 16, 6, [](int n) { return n == 16 ? 17 : n; })
{
}
