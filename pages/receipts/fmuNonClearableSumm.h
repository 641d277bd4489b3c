#pragma once
// TfmNonClearableSumm: the page "Необнуляемые суммы" (still empty).
#include "core/pages/untPages.h"

class TfmNonClearableSumm : public TPage {
public:
    explicit TfmNonClearableSumm(QWidget* owner = nullptr);
};
