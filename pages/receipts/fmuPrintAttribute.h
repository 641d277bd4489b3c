#pragma once
// TfmPrintAttribute: the page "Реквизиты" (still empty).
#include "core/pages/untPages.h"

class TfmPrintAttribute : public TPage {
public:
    explicit TfmPrintAttribute(QWidget* owner = nullptr);
};
