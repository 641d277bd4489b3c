#include "pages/service/fmuTestEncoding.h"

TfmTestEncoding::TfmTestEncoding(QWidget* owner) : TPage(owner, "fmTestEncoding", PageCaption) {}
