#pragma once
// TfmLogicDevice: the page "ЛУ" (still empty).
#include "core/pages/untPages.h"

class TfmLogicDevice : public TPage {
public:
    static constexpr const char* PageCaption = "ЛУ";
    explicit TfmLogicDevice(QWidget* owner = nullptr);
};
