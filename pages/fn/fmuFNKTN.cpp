#include "pages/fn/fmuFNKTN.h"

TfmFNKTN::TfmFNKTN(QWidget* owner) : TPage(owner, "fmFNKTN", PageCaption) {}
