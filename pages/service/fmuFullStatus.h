#pragma once
// TfmFullStatus: the page "Полное состояние" (still empty).
#include "core/pages/untPages.h"

class TfmFullStatus : public TPage {
public:
    explicit TfmFullStatus(QWidget* owner = nullptr);
};
