#pragma once
// Tfm2DBarcode: the page "2D штрихкод" (still empty).
#include "core/pages/untPages.h"

class Tfm2DBarcode : public TPage {
public:
    explicit Tfm2DBarcode(QWidget* owner = nullptr);
};
