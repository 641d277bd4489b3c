#pragma once
// TfmPrintAttribute: the page "Реквизиты" (still empty).
#include "core/pages/untPages.h"

class TfmPrintAttribute : public TPage {
public:
    static constexpr const char* PageCaption = "Реквизиты";
    explicit TfmPrintAttribute(QWidget* owner = nullptr);
};
