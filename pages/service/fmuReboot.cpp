#include "pages/service/fmuReboot.h"

TfmReboot::TfmReboot(QWidget* owner) : TPage(owner, "fmReboot", PageCaption) {}
