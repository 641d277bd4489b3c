#pragma once
// TfmFindDevice: the page "Поиск устройства" (still empty).
#include "core/pages/untPages.h"

class TfmFindDevice : public TPage {
public:
    static constexpr const char* PageCaption = "Поиск устройства";
    explicit TfmFindDevice(QWidget* owner = nullptr);
};
