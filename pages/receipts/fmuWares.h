#pragma once
// TfmWares: the page "Товары" (still empty).
#include "core/pages/untPages.h"

class TfmWares : public TPage {
public:
    static constexpr const char* PageCaption = "Товары";
    explicit TfmWares(QWidget* owner = nullptr);
};
