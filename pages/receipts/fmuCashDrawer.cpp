#include "pages/receipts/fmuCashDrawer.h"

TfmCashDrawer::TfmCashDrawer(QWidget* owner) : TPage(owner, "fmCashDrawer", PageCaption) {}
