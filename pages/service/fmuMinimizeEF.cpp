#include "pages/service/fmuMinimizeEF.h"

TfmMinimizeEF::TfmMinimizeEF(QWidget* owner) : TPage(owner, "fmMinimizeEF", PageCaption) {}
