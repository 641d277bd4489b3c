#pragma once
// TfmPrintBuffer: the page "Буфер" (still empty).
#include "core/pages/untPages.h"

class TfmPrintBuffer : public TPage {
public:
    static constexpr const char* PageCaption = "Буфер";
    explicit TfmPrintBuffer(QWidget* owner = nullptr);
};
