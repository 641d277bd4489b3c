#include "pages/fn/fmuFNCheckAttributes.h"

TfmFNCheckAttributes::TfmFNCheckAttributes(QWidget* owner) : TPage(owner, "fmFNCheckAttributes", PageCaption) {}
