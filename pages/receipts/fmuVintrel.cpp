#include "pages/receipts/fmuVintrel.h"

TfmVintrel::TfmVintrel(QWidget* owner) : TPage(owner, "fmVintrel", PageCaption) {}
