#include "pages/service/fmuSDCard.h"

TfmSDCard::TfmSDCard(QWidget* owner) : TPage(owner, "fmSDCard", PageCaption) {}
