#include "pages/service/fmuMinimizeEF.h"

TfmMinimizeEF::TfmMinimizeEF(QWidget* owner) : TPage(owner, "fmMinimizeEF", QStringLiteral("Минимизация ЭФ")) {}
