#pragma once
// TfmFNTag: the page "Теги ОФД" (still empty).
#include "core/pages/untPages.h"

class TfmFNTag : public TPage {
public:
    static constexpr const char* PageCaption = "Теги ОФД";
    explicit TfmFNTag(QWidget* owner = nullptr);
};
