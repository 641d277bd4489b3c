#include "pages/receipts/fmuPDF417.h"

TfmPDF417::TfmPDF417(QWidget* owner) : TPage(owner, "fmPDF417", PageCaption) {}
