#pragma once
// TfmConnectionTest: the page "Проверка связи" (still empty).
#include "core/pages/untPages.h"

class TfmConnectionTest : public TPage {
public:
    explicit TfmConnectionTest(QWidget* owner = nullptr);
};
