#pragma once
// TfmPrintBarcodePrinter: the page "Штрихкод 2" (still empty).
#include "core/pages/untPages.h"

class TfmPrintBarcodePrinter : public TPage {
public:
    static constexpr const char* PageCaption = "Штрихкод 2";
    explicit TfmPrintBarcodePrinter(QWidget* owner = nullptr);
};
