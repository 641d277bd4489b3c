#pragma once
// TfmPrintText: the page "Текст" (still empty).
#include "core/pages/untPages.h"

class TfmPrintText : public TPage {
public:
    static constexpr const char* PageCaption = "Текст";
    explicit TfmPrintText(QWidget* owner = nullptr);
};
