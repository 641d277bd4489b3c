#pragma once
// TfmFNOFD: the page "ОФД" (still empty).
#include "core/pages/untPages.h"

class TfmFNOFD : public TPage {
public:
    static constexpr const char* PageCaption = "ОФД";
    explicit TfmFNOFD(QWidget* owner = nullptr);
};
