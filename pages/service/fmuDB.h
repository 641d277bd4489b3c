#pragma once
// TfmDB: the page "БД чеков" (still empty).
#include "core/pages/untPages.h"

class TfmDB : public TPage {
public:
    explicit TfmDB(QWidget* owner = nullptr);
};
