#include "pages/receipts/fmuPrintOperations.h"

TfmPrintOperations::TfmPrintOperations(QWidget* owner) : TPage(owner, "fmPrintOperations", PageCaption) {}
