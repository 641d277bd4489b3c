#include "pages/fn/fmuFNOFD.h"

TfmFNOFD::TfmFNOFD(QWidget* owner) : TPage(owner, "fmFNOFD", PageCaption) {}
