#include "pages/service/fmuTable.h"

TfmTable::TfmTable(QWidget* owner) : TPage(owner, "fmTable", PageCaption) {}
