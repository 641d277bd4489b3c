#pragma once
// TfmSDCard: the page "SD-карта" (still empty).
#include "core/pages/untPages.h"

class TfmSDCard : public TPage {
public:
    explicit TfmSDCard(QWidget* owner = nullptr);
};
