#pragma once
// TfmTable: the page "Таблицы" (still empty).
#include "core/pages/untPages.h"

class TfmTable : public TPage {
public:
    explicit TfmTable(QWidget* owner = nullptr);
};
