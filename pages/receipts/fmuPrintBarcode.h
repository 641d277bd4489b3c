#pragma once
// TfmPrintBarcode: the page "Штрихкод" (still empty).
#include "core/pages/untPages.h"

class TfmPrintBarcode : public TPage {
public:
    static constexpr const char* PageCaption = "Штрихкод";
    explicit TfmPrintBarcode(QWidget* owner = nullptr);
};
