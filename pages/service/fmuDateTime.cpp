#include "pages/service/fmuDateTime.h"

TfmDateTime::TfmDateTime(QWidget* owner) : TPage(owner, "fmDateTime", QStringLiteral("Дата и время")) {}
