#include "pages/receipts/fmuTestReceipt.h"

TfmTestReceipt::TfmTestReceipt(QWidget* owner) : TPage(owner, "fmTestReceipt", PageCaption) {}
