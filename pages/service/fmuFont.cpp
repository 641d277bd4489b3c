#include "pages/service/fmuFont.h"

TfmFont::TfmFont(QWidget* owner) : TPage(owner, "fmFont", PageCaption) {}
