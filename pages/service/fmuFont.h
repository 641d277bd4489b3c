#pragma once
// TfmFont: the page "Шрифты" (still empty).
#include "core/pages/untPages.h"

class TfmFont : public TPage {
public:
    static constexpr const char* PageCaption = "Шрифты";
    explicit TfmFont(QWidget* owner = nullptr);
};
