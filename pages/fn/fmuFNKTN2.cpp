#include "pages/fn/fmuFNKTN2.h"

TfmFNKTN2::TfmFNKTN2(QWidget* owner) : TPage(owner, "fmFNKTN2", PageCaption) {}
