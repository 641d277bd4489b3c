#pragma once
// TfmTaxOfficer2: the page "НИ 2" (still empty).
#include "core/pages/untPages.h"

class TfmTaxOfficer2 : public TPage {
public:
    static constexpr const char* PageCaption = "НИ 2";
    explicit TfmTaxOfficer2(QWidget* owner = nullptr);
};
