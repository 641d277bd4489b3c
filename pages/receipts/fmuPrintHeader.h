#pragma once
// TfmPrintHeader: the page "Клише" (still empty).
#include "core/pages/untPages.h"

class TfmPrintHeader : public TPage {
public:
    static constexpr const char* PageCaption = "Клише";
    explicit TfmPrintHeader(QWidget* owner = nullptr);
};
