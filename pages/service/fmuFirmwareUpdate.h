#pragma once
// TfmFirmwareUpdate: the page "Прошивка" (still empty).
#include "core/pages/untPages.h"

class TfmFirmwareUpdate : public TPage {
public:
    static constexpr const char* PageCaption = "Прошивка";
    explicit TfmFirmwareUpdate(QWidget* owner = nullptr);
};
