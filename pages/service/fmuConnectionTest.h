#pragma once
// TfmConnectionTest: the page "Проверка связи" (still empty).
#include "core/pages/untPages.h"

class TfmConnectionTest : public TPage {
public:
    static constexpr const char* PageCaption = "Проверка связи";
    explicit TfmConnectionTest(QWidget* owner = nullptr);
};
