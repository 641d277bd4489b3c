#include "pages/service/fmuConnection.h"

TfmConnection::TfmConnection(QWidget* owner) : TPage(owner, "fmConnection", PageCaption) {}
