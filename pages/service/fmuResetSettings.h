#pragma once
// TfmResetSettings: the page "Обнуление" (still empty).
#include "core/pages/untPages.h"

class TfmResetSettings : public TPage {
public:
    explicit TfmResetSettings(QWidget* owner = nullptr);
};
