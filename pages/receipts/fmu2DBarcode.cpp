#include "pages/receipts/fmu2DBarcode.h"

Tfm2DBarcode::Tfm2DBarcode(QWidget* owner) : TPage(owner, "fm2DBarcode", PageCaption) {}
