#include "pages/fn/fmuFNOperation.h"

TfmFNOperation::TfmFNOperation(QWidget* owner) : TPage(owner, "fmFNOperation", PageCaption) {}
