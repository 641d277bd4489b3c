#pragma once
// TfmTotalizers: the page "Регистры" (still empty).
#include "core/pages/untPages.h"

class TfmTotalizers : public TPage {
public:
    explicit TfmTotalizers(QWidget* owner = nullptr);
};
