#include "pages/receipts/fmuPrintHeader.h"

TfmPrintHeader::TfmPrintHeader(QWidget* owner) : TPage(owner, "fmPrintHeader", PageCaption) {}
