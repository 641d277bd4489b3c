#pragma once
// TfmCashCore: the page "CashCore" (still empty).
#include "core/pages/untPages.h"

class TfmCashCore : public TPage {
public:
    explicit TfmCashCore(QWidget* owner = nullptr);
};
