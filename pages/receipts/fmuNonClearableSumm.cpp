#include "pages/receipts/fmuNonClearableSumm.h"

TfmNonClearableSumm::TfmNonClearableSumm(QWidget* owner) : TPage(owner, "fmNonClearableSumm", PageCaption) {}
