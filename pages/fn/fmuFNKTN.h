#pragma once
// TfmFNKTN: the page "КТ" (still empty).
#include "core/pages/untPages.h"

class TfmFNKTN : public TPage {
public:
    explicit TfmFNKTN(QWidget* owner = nullptr);
};
