#include "pages/service/fmuConnectionTest.h"

TfmConnectionTest::TfmConnectionTest(QWidget* owner) : TPage(owner, "fmConnectionTest", PageCaption) {}
