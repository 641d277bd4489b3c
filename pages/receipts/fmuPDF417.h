#pragma once
// TfmPDF417: the page "PDF417" (still empty).
#include "core/pages/untPages.h"

class TfmPDF417 : public TPage {
public:
    explicit TfmPDF417(QWidget* owner = nullptr);
};
