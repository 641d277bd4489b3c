#pragma once
// TfmFNData: the page "Данные" (still empty).
#include "core/pages/untPages.h"

class TfmFNData : public TPage {
public:
    explicit TfmFNData(QWidget* owner = nullptr);
};
