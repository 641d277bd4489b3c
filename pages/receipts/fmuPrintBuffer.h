#pragma once
// TfmPrintBuffer: the page "Буфер" (still empty).
#include "core/pages/untPages.h"

class TfmPrintBuffer : public TPage {
public:
    explicit TfmPrintBuffer(QWidget* owner = nullptr);
};
