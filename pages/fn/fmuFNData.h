#pragma once
// TfmFNData: the page "Данные" (still empty).
#include "core/pages/untPages.h"

class TfmFNData : public TPage {
public:
    static constexpr const char* PageCaption = "Данные";
    explicit TfmFNData(QWidget* owner = nullptr);
};
