#pragma once
// TfmAuthKey: the page "Авторизация" (still empty).
#include "core/pages/untPages.h"

class TfmAuthKey : public TPage {
public:
    static constexpr const char* PageCaption = "Авторизация";
    explicit TfmAuthKey(QWidget* owner = nullptr);
};
