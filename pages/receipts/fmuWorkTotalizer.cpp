#include "pages/receipts/fmuWorkTotalizer.h"

TfmWorkTotalizer::TfmWorkTotalizer(QWidget* owner) : TPage(owner, "fmWorkTotalizer", PageCaption) {}
