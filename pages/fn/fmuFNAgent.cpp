#include "pages/fn/fmuFNAgent.h"

TfmFNAgent::TfmFNAgent(QWidget* owner) : TPage(owner, "fmFNAgent", PageCaption) {}
