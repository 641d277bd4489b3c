#pragma once
// TfmCashCore: the page "CashCore" (still empty).
#include "core/pages/untPages.h"

class TfmCashCore : public TPage {
public:
    static constexpr const char* PageCaption = "CashCore";
    explicit TfmCashCore(QWidget* owner = nullptr);
};
