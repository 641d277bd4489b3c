#pragma once
// TfmReadDump: the page "Дамп" (still empty).
#include "core/pages/untPages.h"

class TfmReadDump : public TPage {
public:
    static constexpr const char* PageCaption = "Дамп";
    explicit TfmReadDump(QWidget* owner = nullptr);
};
