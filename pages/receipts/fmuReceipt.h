#pragma once
// TfmReceipt: the page "Регистрация (устаревш.)" (still empty).
#include "core/pages/untPages.h"

class TfmReceipt : public TPage {
public:
    explicit TfmReceipt(QWidget* owner = nullptr);
};
