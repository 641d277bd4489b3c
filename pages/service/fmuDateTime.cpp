#include "pages/service/fmuDateTime.h"

TfmDateTime::TfmDateTime(QWidget* owner) : TPage(owner, "fmDateTime", PageCaption) {}
