#pragma once
// TfmFirmwareUpdate: the page "Прошивка" (still empty).
#include "core/pages/untPages.h"

class TfmFirmwareUpdate : public TPage {
public:
    explicit TfmFirmwareUpdate(QWidget* owner = nullptr);
};
