#pragma once
// TfmFNTag: the page "Теги ОФД" (still empty).
#include "core/pages/untPages.h"

class TfmFNTag : public TPage {
public:
    explicit TfmFNTag(QWidget* owner = nullptr);
};
