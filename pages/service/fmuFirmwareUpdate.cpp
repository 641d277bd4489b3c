#include "pages/service/fmuFirmwareUpdate.h"

TfmFirmwareUpdate::TfmFirmwareUpdate(QWidget* owner) : TPage(owner, "fmFirmwareUpdate", PageCaption) {}
