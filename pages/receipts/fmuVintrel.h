#pragma once
// TfmVintrel: the page "Vintrel" (still empty).
#include "core/pages/untPages.h"

class TfmVintrel : public TPage {
public:
    explicit TfmVintrel(QWidget* owner = nullptr);
};
