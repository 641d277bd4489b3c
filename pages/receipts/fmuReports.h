#pragma once
// TfmReports: the page "Отчеты" (still empty).
#include "core/pages/untPages.h"

class TfmReports : public TPage {
public:
    explicit TfmReports(QWidget* owner = nullptr);
};
