#include "pages/receipts/fmuTotalizers.h"

TfmTotalizers::TfmTotalizers(QWidget* owner) : TPage(owner, "fmTotalizers", PageCaption) {}
