#include "pages/service/fmuDeviceStatus.h"

TfmDeviceStatus::TfmDeviceStatus(QWidget* owner) : TPage(owner, "fmDeviceStatus", PageCaption) {}
