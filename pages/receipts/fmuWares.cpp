#include "pages/receipts/fmuWares.h"

TfmWares::TfmWares(QWidget* owner) : TPage(owner, "fmWares", PageCaption) {}
