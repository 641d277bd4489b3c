#pragma once
// TfmPrintText: the page "Текст" (still empty).
#include "core/pages/untPages.h"

class TfmPrintText : public TPage {
public:
    explicit TfmPrintText(QWidget* owner = nullptr);
};
