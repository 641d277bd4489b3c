#pragma once
// TfmFindDevice: the page "Поиск устройства" (still empty).
#include "core/pages/untPages.h"

class TfmFindDevice : public TPage {
public:
    explicit TfmFindDevice(QWidget* owner = nullptr);
};
