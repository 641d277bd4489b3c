#pragma once
// TfmReports: the page "Отчеты" (still empty).
#include "core/pages/untPages.h"

class TfmReports : public TPage {
public:
    static constexpr const char* PageCaption = "Отчеты";
    explicit TfmReports(QWidget* owner = nullptr);
};
