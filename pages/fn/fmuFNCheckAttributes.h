#pragma once
// TfmFNCheckAttributes: the page "Атрибуты чека" (still empty).
#include "core/pages/untPages.h"

class TfmFNCheckAttributes : public TPage {
public:
    explicit TfmFNCheckAttributes(QWidget* owner = nullptr);
};
