#pragma once
// TfmTest: the page "Тест" (still empty).
#include "core/pages/untPages.h"

class TfmTest : public TPage {
public:
    static constexpr const char* PageCaption = "Тест";
    explicit TfmTest(QWidget* owner = nullptr);
};
