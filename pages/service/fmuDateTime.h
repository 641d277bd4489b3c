#pragma once
// TfmDateTime: the page "Дата и время" (still empty).
#include "core/pages/untPages.h"

class TfmDateTime : public TPage {
public:
    explicit TfmDateTime(QWidget* owner = nullptr);
};
