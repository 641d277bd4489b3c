#include "pages/service/fmuDB.h"

TfmDB::TfmDB(QWidget* owner) : TPage(owner, "fmDB", PageCaption) {}
