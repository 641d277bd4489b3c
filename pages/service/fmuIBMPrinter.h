#pragma once
// TfmIBMPrinter: the page "Принтер IBM" (still empty).
#include "core/pages/untPages.h"

class TfmIBMPrinter : public TPage {
public:
    explicit TfmIBMPrinter(QWidget* owner = nullptr);
};
