#include "pages/fn/fmuFNTag.h"

TfmFNTag::TfmFNTag(QWidget* owner) : TPage(owner, "fmFNTag", PageCaption) {}
