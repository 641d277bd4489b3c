#pragma once
// TfmWriteSerial: the page "Программирование" (still empty).
#include "core/pages/untPages.h"

class TfmWriteSerial : public TPage {
public:
    explicit TfmWriteSerial(QWidget* owner = nullptr);
};
