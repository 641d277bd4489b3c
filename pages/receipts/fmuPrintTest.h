#pragma once
// TfmPrintTest: the page "Тесты" (still empty).
#include "core/pages/untPages.h"

class TfmPrintTest : public TPage {
public:
    static constexpr const char* PageCaption = "Тесты";
    explicit TfmPrintTest(QWidget* owner = nullptr);
};
