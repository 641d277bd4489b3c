#pragma once
// TfmPDF417: the page "PDF417" (still empty).
#include "core/pages/untPages.h"

class TfmPDF417 : public TPage {
public:
    static constexpr const char* PageCaption = "PDF417";
    explicit TfmPDF417(QWidget* owner = nullptr);
};
