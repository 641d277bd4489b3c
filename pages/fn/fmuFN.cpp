#include "pages/fn/fmuFN.h"

TfmFN::TfmFN(QWidget* owner) : TPage(owner, "fmFN", QStringLiteral("Состояние ФН")) {}
