#pragma once
// TfmPrintOperations: the page "Операции" (still empty).
#include "core/pages/untPages.h"

class TfmPrintOperations : public TPage {
public:
    static constexpr const char* PageCaption = "Операции";
    explicit TfmPrintOperations(QWidget* owner = nullptr);
};
