#include "pages/service/fmuExtendedService.h"

TfmExtendedService::TfmExtendedService(QWidget* owner) : TPage(owner, "fmExtendedService", PageCaption) {}
