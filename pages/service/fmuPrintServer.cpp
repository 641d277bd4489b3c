#include "pages/service/fmuPrintServer.h"

TfmPrintServer::TfmPrintServer(QWidget* owner) : TPage(owner, "fmPrintServer", PageCaption) {}
