#include "pages/service/fmuDBSession.h"

TfmDBSession::TfmDBSession(QWidget* owner) : TPage(owner, "fmDBSession", PageCaption) {}
