#pragma once
// TfmPrintOperations: the page "Операции" (still empty).
#include "core/pages/untPages.h"

class TfmPrintOperations : public TPage {
public:
    explicit TfmPrintOperations(QWidget* owner = nullptr);
};
