#pragma once
// TfmPrintImage2: the page "Изображение из файла" (still empty).
#include "core/pages/untPages.h"

class TfmPrintImage2 : public TPage {
public:
    static constexpr const char* PageCaption = "Изображение из файла";
    explicit TfmPrintImage2(QWidget* owner = nullptr);
};
