#pragma once
// Tfm2DBarcode: the page "2D штрихкод" (still empty).
#include "core/pages/untPages.h"

class Tfm2DBarcode : public TPage {
public:
    static constexpr const char* PageCaption = "2D штрихкод";
    explicit Tfm2DBarcode(QWidget* owner = nullptr);
};
