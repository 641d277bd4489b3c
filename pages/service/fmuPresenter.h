#pragma once
// TfmPresenter: the page "Презентер" (still empty).
#include "core/pages/untPages.h"

class TfmPresenter : public TPage {
public:
    static constexpr const char* PageCaption = "Презентер";
    explicit TfmPresenter(QWidget* owner = nullptr);
};
