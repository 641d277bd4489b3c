#include "pages/service/fmuWriteSerial.h"

TfmWriteSerial::TfmWriteSerial(QWidget* owner) : TPage(owner, "fmWriteSerial", PageCaption) {}
