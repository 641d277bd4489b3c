#include "pages/service/fmuLoader.h"

TfmLoader::TfmLoader(QWidget* owner) : TPage(owner, "fmLoader", PageCaption) {}
