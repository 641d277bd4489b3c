#pragma once
// TfmTotalizers: the page "Регистры" (still empty).
#include "core/pages/untPages.h"

class TfmTotalizers : public TPage {
public:
    static constexpr const char* PageCaption = "Регистры";
    explicit TfmTotalizers(QWidget* owner = nullptr);
};
