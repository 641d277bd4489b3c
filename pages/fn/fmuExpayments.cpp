#include "pages/fn/fmuExpayments.h"

TfmExPayments* fmExPayments = nullptr;

TfmExPayments::TfmExPayments(QWidget* parent) : TExPaymentsDialog(parent, "fmExPayments", 3, 13, 6) {}
