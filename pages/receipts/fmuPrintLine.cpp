#include "pages/receipts/fmuPrintLine.h"

TfmPrintLine::TfmPrintLine(QWidget* owner) : TPage(owner, "fmPrintLine", PageCaption) {}
