#pragma once
// TfmTestReceipt: the page "Тестовый чек" (still empty).
#include "core/pages/untPages.h"

class TfmTestReceipt : public TPage {
public:
    static constexpr const char* PageCaption = "Тестовый чек";
    explicit TfmTestReceipt(QWidget* owner = nullptr);
};
