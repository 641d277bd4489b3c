#include "pages/service/fmuIBMPrinter.h"

TfmIBMPrinter::TfmIBMPrinter(QWidget* owner) : TPage(owner, "fmIBMPrinter", PageCaption) {}
