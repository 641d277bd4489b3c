#pragma once
// TfmNonClearableSumm: the page "Необнуляемые суммы" (still empty).
#include "core/pages/untPages.h"

class TfmNonClearableSumm : public TPage {
public:
    static constexpr const char* PageCaption = "Необнуляемые суммы";
    explicit TfmNonClearableSumm(QWidget* owner = nullptr);
};
