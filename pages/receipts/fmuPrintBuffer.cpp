#include "pages/receipts/fmuPrintBuffer.h"

TfmPrintBuffer::TfmPrintBuffer(QWidget* owner) : TPage(owner, "fmPrintBuffer", PageCaption) {}
