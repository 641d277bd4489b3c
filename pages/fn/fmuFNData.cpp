#include "pages/fn/fmuFNData.h"

TfmFNData::TfmFNData(QWidget* owner) : TPage(owner, "fmFNData", PageCaption) {}
