#pragma once
// TfmReboot: the page "Перезагрузка" (still empty).
#include "core/pages/untPages.h"

class TfmReboot : public TPage {
public:
    static constexpr const char* PageCaption = "Перезагрузка";
    explicit TfmReboot(QWidget* owner = nullptr);
};
