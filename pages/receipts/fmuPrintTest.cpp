#include "pages/receipts/fmuPrintTest.h"

TfmPrintTest::TfmPrintTest(QWidget* owner) : TPage(owner, "fmPrintTest", PageCaption) {}
