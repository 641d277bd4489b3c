#pragma once
// TfmPrintImage: the page "Изображение" (still empty).
#include "core/pages/untPages.h"

class TfmPrintImage : public TPage {
public:
    static constexpr const char* PageCaption = "Изображение";
    explicit TfmPrintImage(QWidget* owner = nullptr);
};
