#pragma once
// TfmCommand: the page "Команда" (still empty).
#include "core/pages/untPages.h"

class TfmCommand : public TPage {
public:
    explicit TfmCommand(QWidget* owner = nullptr);
};
