#pragma once
// TfmCashTotalizer: the page "Денежные регистры" (still empty).
#include "core/pages/untPages.h"

class TfmCashTotalizer : public TPage {
public:
    static constexpr const char* PageCaption = "Денежные регистры";
    explicit TfmCashTotalizer(QWidget* owner = nullptr);
};
