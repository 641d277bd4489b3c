#pragma once
// TfmRNM: the page "РНМ" (still empty).
#include "core/pages/untPages.h"

class TfmRNM : public TPage {
public:
    static constexpr const char* PageCaption = "РНМ";
    explicit TfmRNM(QWidget* owner = nullptr);
};
