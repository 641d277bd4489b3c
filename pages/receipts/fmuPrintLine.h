#pragma once
// TfmPrintLine: the page "Линия" (still empty).
#include "core/pages/untPages.h"

class TfmPrintLine : public TPage {
public:
    static constexpr const char* PageCaption = "Линия";
    explicit TfmPrintLine(QWidget* owner = nullptr);
};
