#pragma once
// TfmFNOperation2: the page "Чек коррекции (ФФД 1.05)" (still empty).
#include "core/pages/untPages.h"

class TfmFNOperation2 : public TPage {
public:
    static constexpr const char* PageCaption = "Чек коррекции (ФФД 1.05)";
    explicit TfmFNOperation2(QWidget* owner = nullptr);
};
