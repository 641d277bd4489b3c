#pragma once
// TfmFullStatus: the page "Полное состояние" (still empty).
#include "core/pages/untPages.h"

class TfmFullStatus : public TPage {
public:
    static constexpr const char* PageCaption = "Полное состояние";
    explicit TfmFullStatus(QWidget* owner = nullptr);
};
