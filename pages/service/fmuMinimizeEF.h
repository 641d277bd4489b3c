#pragma once
// TfmMinimizeEF: the page "Минимизация ЭФ" (still empty).
#include "core/pages/untPages.h"

class TfmMinimizeEF : public TPage {
public:
    static constexpr const char* PageCaption = "Минимизация ЭФ";
    explicit TfmMinimizeEF(QWidget* owner = nullptr);
};
