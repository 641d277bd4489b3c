#pragma once
// TfmCommand: the page "Команда" (still empty).
#include "core/pages/untPages.h"

class TfmCommand : public TPage {
public:
    static constexpr const char* PageCaption = "Команда";
    explicit TfmCommand(QWidget* owner = nullptr);
};
