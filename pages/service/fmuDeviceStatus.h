#pragma once
// TfmDeviceStatus: the page "Запросы" (still empty).
#include "core/pages/untPages.h"

class TfmDeviceStatus : public TPage {
public:
    static constexpr const char* PageCaption = "Запросы";
    explicit TfmDeviceStatus(QWidget* owner = nullptr);
};
