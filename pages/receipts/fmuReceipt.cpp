#include "pages/receipts/fmuReceipt.h"

TfmReceipt::TfmReceipt(QWidget* owner) : TPage(owner, "fmReceipt", QStringLiteral("Регистрация (устаревш.)")) {}
