#pragma once
// TfmCashDrawer: the page "Денежный ящик" (still empty).
#include "core/pages/untPages.h"

class TfmCashDrawer : public TPage {
public:
    static constexpr const char* PageCaption = "Денежный ящик";
    explicit TfmCashDrawer(QWidget* owner = nullptr);
};
