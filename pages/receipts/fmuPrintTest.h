#pragma once
// TfmPrintTest: the page "Тесты" (still empty).
#include "core/pages/untPages.h"

class TfmPrintTest : public TPage {
public:
    explicit TfmPrintTest(QWidget* owner = nullptr);
};
