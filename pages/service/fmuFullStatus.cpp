#include "pages/service/fmuFullStatus.h"

TfmFullStatus::TfmFullStatus(QWidget* owner) : TPage(owner, "fmFullStatus", PageCaption) {}
