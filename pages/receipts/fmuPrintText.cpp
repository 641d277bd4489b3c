#include "pages/receipts/fmuPrintText.h"

TfmPrintText::TfmPrintText(QWidget* owner) : TPage(owner, "fmPrintText", PageCaption) {}
