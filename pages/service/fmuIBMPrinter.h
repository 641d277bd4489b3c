#pragma once
// TfmIBMPrinter: the page "Принтер IBM" (still empty).
#include "core/pages/untPages.h"

class TfmIBMPrinter : public TPage {
public:
    static constexpr const char* PageCaption = "Принтер IBM";
    explicit TfmIBMPrinter(QWidget* owner = nullptr);
};
