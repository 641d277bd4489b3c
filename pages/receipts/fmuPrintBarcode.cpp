#include "pages/receipts/fmuPrintBarcode.h"

TfmPrintBarcode::TfmPrintBarcode(QWidget* owner) : TPage(owner, "fmPrintBarcode", PageCaption) {}
