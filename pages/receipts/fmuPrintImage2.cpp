#include "pages/receipts/fmuPrintImage2.h"

TfmPrintImage2::TfmPrintImage2(QWidget* owner) : TPage(owner, "fmPrintImage2", PageCaption) {}
