#pragma once
// TfmPrintCheckAttributeParams: the page "Печать реквизитов" (still empty).
#include "core/pages/untPages.h"

class TfmPrintCheckAttributeParams : public TPage {
public:
    explicit TfmPrintCheckAttributeParams(QWidget* owner = nullptr);
};
