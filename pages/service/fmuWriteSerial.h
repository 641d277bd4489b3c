#pragma once
// TfmWriteSerial: the page "Программирование" (still empty).
#include "core/pages/untPages.h"

class TfmWriteSerial : public TPage {
public:
    static constexpr const char* PageCaption = "Программирование";
    explicit TfmWriteSerial(QWidget* owner = nullptr);
};
