#pragma once
// TfmFNKTN: the page "КТ" (still empty).
#include "core/pages/untPages.h"

class TfmFNKTN : public TPage {
public:
    static constexpr const char* PageCaption = "КТ";
    explicit TfmFNKTN(QWidget* owner = nullptr);
};
