#pragma once
// TfmDateTime: the page "Дата и время" (still empty).
#include "core/pages/untPages.h"

class TfmDateTime : public TPage {
public:
    static constexpr const char* PageCaption = "Дата и время";
    explicit TfmDateTime(QWidget* owner = nullptr);
};
