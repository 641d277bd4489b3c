#include "pages/receipts/fmuReports.h"

TfmReports::TfmReports(QWidget* owner) : TPage(owner, "fmReports", PageCaption) {}
