#pragma once
// TfmTaxOfficer: the page "НИ" (still empty).
#include "core/pages/untPages.h"

class TfmTaxOfficer : public TPage {
public:
    explicit TfmTaxOfficer(QWidget* owner = nullptr);
};
