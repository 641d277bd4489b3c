#pragma once
// TfmTestReceipt: the page "Тестовый чек" (still empty).
#include "core/pages/untPages.h"

class TfmTestReceipt : public TPage {
public:
    explicit TfmTestReceipt(QWidget* owner = nullptr);
};
