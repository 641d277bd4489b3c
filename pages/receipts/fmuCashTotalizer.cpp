#include "pages/receipts/fmuCashTotalizer.h"

TfmCashTotalizer::TfmCashTotalizer(QWidget* owner) : TPage(owner, "fmCashTotalizer", PageCaption) {}
