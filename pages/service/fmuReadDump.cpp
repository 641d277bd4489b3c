#include "pages/service/fmuReadDump.h"

TfmReadDump::TfmReadDump(QWidget* owner) : TPage(owner, "fmReadDump", PageCaption) {}
