#pragma once
// TfmPrintLine: the page "Линия" (still empty).
#include "core/pages/untPages.h"

class TfmPrintLine : public TPage {
public:
    explicit TfmPrintLine(QWidget* owner = nullptr);
};
