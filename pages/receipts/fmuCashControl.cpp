#include "pages/receipts/fmuCashControl.h"

TfmCashControl::TfmCashControl(QWidget* owner) : TPage(owner, "fmCashControl", PageCaption) {}
