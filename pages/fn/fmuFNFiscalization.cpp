#include "pages/fn/fmuFNFiscalization.h"

TfmFNFiscalization::TfmFNFiscalization(QWidget* owner) : TPage(owner, "fmFNFiscalization", PageCaption) {}
