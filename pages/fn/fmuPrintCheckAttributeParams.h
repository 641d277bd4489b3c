#pragma once
// TfmPrintCheckAttributeParams: the page "Печать реквизитов" (still empty).
#include "core/pages/untPages.h"

class TfmPrintCheckAttributeParams : public TPage {
public:
    static constexpr const char* PageCaption = "Печать реквизитов";
    explicit TfmPrintCheckAttributeParams(QWidget* owner = nullptr);
};
