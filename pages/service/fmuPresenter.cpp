#include "pages/service/fmuPresenter.h"

TfmPresenter::TfmPresenter(QWidget* owner) : TPage(owner, "fmPresenter", PageCaption) {}
