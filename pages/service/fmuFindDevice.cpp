#include "pages/service/fmuFindDevice.h"

TfmFindDevice::TfmFindDevice(QWidget* owner) : TPage(owner, "fmFindDevice", PageCaption) {}
