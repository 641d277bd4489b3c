#include "pages/service/fmuTest.h"

TfmTest::TfmTest(QWidget* owner) : TPage(owner, "fmTest", PageCaption) {}
