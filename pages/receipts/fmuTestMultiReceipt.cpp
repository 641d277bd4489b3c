#include "pages/receipts/fmuTestMultiReceipt.h"

TfmTestMultiReceipt::TfmTestMultiReceipt(QWidget* owner) : TPage(owner, "fmTestMultiReceipt", PageCaption) {}
