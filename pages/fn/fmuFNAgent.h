#pragma once
// TfmFNAgent: the page "Агент" (still empty).
#include "core/pages/untPages.h"

class TfmFNAgent : public TPage {
public:
    static constexpr const char* PageCaption = "Агент";
    explicit TfmFNAgent(QWidget* owner = nullptr);
};
