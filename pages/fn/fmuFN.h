#pragma once
// TfmFN: the page "Состояние ФН" (still empty).
#include "core/pages/untPages.h"

class TfmFN : public TPage {
public:
    explicit TfmFN(QWidget* owner = nullptr);
};
