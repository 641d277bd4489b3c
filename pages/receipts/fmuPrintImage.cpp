#include "pages/receipts/fmuPrintImage.h"

TfmPrintImage::TfmPrintImage(QWidget* owner) : TPage(owner, "fmPrintImage", PageCaption) {}
