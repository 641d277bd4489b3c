#pragma once
// TfmTest: the page "Тест" (still empty).
#include "core/pages/untPages.h"

class TfmTest : public TPage {
public:
    explicit TfmTest(QWidget* owner = nullptr);
};
