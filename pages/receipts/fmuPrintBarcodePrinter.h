#pragma once
// TfmPrintBarcodePrinter: the page "Штрихкод 2" (still empty).
#include "core/pages/untPages.h"

class TfmPrintBarcodePrinter : public TPage {
public:
    explicit TfmPrintBarcodePrinter(QWidget* owner = nullptr);
};
