#include "pages/fn/fmuRNM.h"

TfmRNM::TfmRNM(QWidget* owner) : TPage(owner, "fmRNM", PageCaption) {}
