#pragma once
// TfmPrintBarcode: the page "Штрихкод" (still empty).
#include "core/pages/untPages.h"

class TfmPrintBarcode : public TPage {
public:
    explicit TfmPrintBarcode(QWidget* owner = nullptr);
};
