#pragma once
// TfmSDCard: the page "SD-карта" (still empty).
#include "core/pages/untPages.h"

class TfmSDCard : public TPage {
public:
    static constexpr const char* PageCaption = "SD-карта";
    explicit TfmSDCard(QWidget* owner = nullptr);
};
