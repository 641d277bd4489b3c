#include "pages/service/fmuAuthKey.h"

TfmAuthKey::TfmAuthKey(QWidget* owner) : TPage(owner, "fmAuthKey", PageCaption) {}
