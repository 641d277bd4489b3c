#include "pages/service/fmuResetSettings.h"

TfmResetSettings::TfmResetSettings(QWidget* owner) : TPage(owner, "fmResetSettings", PageCaption) {}
