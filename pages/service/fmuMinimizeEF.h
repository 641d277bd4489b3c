#pragma once
// TfmMinimizeEF: the page "Минимизация ЭФ" (still empty).
#include "core/pages/untPages.h"

class TfmMinimizeEF : public TPage {
public:
    explicit TfmMinimizeEF(QWidget* owner = nullptr);
};
