#pragma once
// TfmFont: the page "Шрифты" (still empty).
#include "core/pages/untPages.h"

class TfmFont : public TPage {
public:
    explicit TfmFont(QWidget* owner = nullptr);
};
