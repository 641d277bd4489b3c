#pragma once
// TfmDB: the page "БД чеков" (still empty).
#include "core/pages/untPages.h"

class TfmDB : public TPage {
public:
    static constexpr const char* PageCaption = "БД чеков";
    explicit TfmDB(QWidget* owner = nullptr);
};
