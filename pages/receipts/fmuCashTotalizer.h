#pragma once
// TfmCashTotalizer: the page "Денежные регистры" (still empty).
#include "core/pages/untPages.h"

class TfmCashTotalizer : public TPage {
public:
    explicit TfmCashTotalizer(QWidget* owner = nullptr);
};
