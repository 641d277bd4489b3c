#include "pages/service/fmuTaxOfficer2.h"

TfmTaxOfficer2::TfmTaxOfficer2(QWidget* owner) : TPage(owner, "fmTaxOfficer2", PageCaption) {}
