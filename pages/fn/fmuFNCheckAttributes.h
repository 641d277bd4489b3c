#pragma once
// TfmFNCheckAttributes: the page "Атрибуты чека" (still empty).
#include "core/pages/untPages.h"

class TfmFNCheckAttributes : public TPage {
public:
    static constexpr const char* PageCaption = "Атрибуты чека";
    explicit TfmFNCheckAttributes(QWidget* owner = nullptr);
};
