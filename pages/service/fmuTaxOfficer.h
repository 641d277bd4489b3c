#pragma once
// TfmTaxOfficer: the page "НИ" (still empty).
#include "core/pages/untPages.h"

class TfmTaxOfficer : public TPage {
public:
    static constexpr const char* PageCaption = "НИ";
    explicit TfmTaxOfficer(QWidget* owner = nullptr);
};
