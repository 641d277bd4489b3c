#include "pages/fn/fmuFNOperation2.h"

TfmFNOperation2::TfmFNOperation2(QWidget* owner) : TPage(owner, "fmFNOperation2", PageCaption) {}
