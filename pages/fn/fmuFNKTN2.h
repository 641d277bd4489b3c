#pragma once
// TfmFNKTN2: the page "КТ 2" (still empty).
#include "core/pages/untPages.h"

class TfmFNKTN2 : public TPage {
public:
    static constexpr const char* PageCaption = "КТ 2";
    explicit TfmFNKTN2(QWidget* owner = nullptr);
};
