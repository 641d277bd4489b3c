#pragma once
// TfmWorkTotalizer: the page "Операционные регистры" (still empty).
#include "core/pages/untPages.h"

class TfmWorkTotalizer : public TPage {
public:
    static constexpr const char* PageCaption = "Операционные регистры";
    explicit TfmWorkTotalizer(QWidget* owner = nullptr);
};
