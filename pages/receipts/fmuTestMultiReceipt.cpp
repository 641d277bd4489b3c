#include "pages/receipts/fmuTestMultiReceipt.h"

TfmTestMultiReceipt::TfmTestMultiReceipt(QWidget* owner) : TPage(owner, "fmTestMultiReceipt", QStringLiteral("Тестовые чеки")) {}
