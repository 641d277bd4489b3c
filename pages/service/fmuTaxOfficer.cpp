#include "pages/service/fmuTaxOfficer.h"

TfmTaxOfficer::TfmTaxOfficer(QWidget* owner) : TPage(owner, "fmTaxOfficer", PageCaption) {}
