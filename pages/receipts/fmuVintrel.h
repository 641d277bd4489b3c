#pragma once
// TfmVintrel: the page "Vintrel" (still empty).
#include "core/pages/untPages.h"

class TfmVintrel : public TPage {
public:
    static constexpr const char* PageCaption = "Vintrel";
    explicit TfmVintrel(QWidget* owner = nullptr);
};
