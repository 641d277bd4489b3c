#include "pages/receipts/fmuPrintAttribute.h"

TfmPrintAttribute::TfmPrintAttribute(QWidget* owner) : TPage(owner, "fmPrintAttribute", PageCaption) {}
