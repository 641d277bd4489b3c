#pragma once
// TfmTestMultiReceipt: the page "Тестовые чеки" (still empty).
#include "core/pages/untPages.h"

class TfmTestMultiReceipt : public TPage {
public:
    static constexpr const char* PageCaption = "Тестовые чеки";
    explicit TfmTestMultiReceipt(QWidget* owner = nullptr);
};
