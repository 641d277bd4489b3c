#include "pages/fn/fmuPrintCheckAttributeParams.h"

TfmPrintCheckAttributeParams::TfmPrintCheckAttributeParams(QWidget* owner) : TPage(owner, "fmPrintCheckAttributeParams", PageCaption) {}
