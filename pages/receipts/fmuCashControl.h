#pragma once
// TfmCashControl: the page "CashControl" (still empty).
#include "core/pages/untPages.h"

class TfmCashControl : public TPage {
public:
    static constexpr const char* PageCaption = "CashControl";
    explicit TfmCashControl(QWidget* owner = nullptr);
};
