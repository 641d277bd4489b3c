#pragma once
// TfmFNOFD: the page "ОФД" (still empty).
#include "core/pages/untPages.h"

class TfmFNOFD : public TPage {
public:
    explicit TfmFNOFD(QWidget* owner = nullptr);
};
