#include "pages/receipts/fmuPrintBarcodePrinter.h"

TfmPrintBarcodePrinter::TfmPrintBarcodePrinter(QWidget* owner) : TPage(owner, "fmPrintBarcodePrinter", PageCaption) {}
