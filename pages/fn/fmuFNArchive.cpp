#include "pages/fn/fmuFNArchive.h"

TfmFNArchive::TfmFNArchive(QWidget* owner) : TPage(owner, "fmFNArchive", PageCaption) {}
