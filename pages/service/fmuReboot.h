#pragma once
// TfmReboot: the page "Перезагрузка" (still empty).
#include "core/pages/untPages.h"

class TfmReboot : public TPage {
public:
    explicit TfmReboot(QWidget* owner = nullptr);
};
