#include "pages/service/fmuLogicDevice.h"

TfmLogicDevice::TfmLogicDevice(QWidget* owner) : TPage(owner, "fmLogicDevice", PageCaption) {}
