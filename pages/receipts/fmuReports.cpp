#include "pages/receipts/fmuReports.h"

TfmReports::TfmReports(QWidget* owner) : TPage(owner, "fmReports", QStringLiteral("Отчеты")) {}
