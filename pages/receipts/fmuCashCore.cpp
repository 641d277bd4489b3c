#include "pages/receipts/fmuCashCore.h"

TfmCashCore::TfmCashCore(QWidget* owner) : TPage(owner, "fmCashCore", PageCaption) {}
