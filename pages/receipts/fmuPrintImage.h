#pragma once
// TfmPrintImage: the page "Изображение" (still empty).
#include "core/pages/untPages.h"

class TfmPrintImage : public TPage {
public:
    explicit TfmPrintImage(QWidget* owner = nullptr);
};
