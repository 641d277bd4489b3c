#pragma once
// TfmResetSettings: the page "Обнуление" (still empty).
#include "core/pages/untPages.h"

class TfmResetSettings : public TPage {
public:
    static constexpr const char* PageCaption = "Обнуление";
    explicit TfmResetSettings(QWidget* owner = nullptr);
};
