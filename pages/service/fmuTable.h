#pragma once
// TfmTable: the page "Таблицы" (still empty).
#include "core/pages/untPages.h"

class TfmTable : public TPage {
public:
    static constexpr const char* PageCaption = "Таблицы";
    explicit TfmTable(QWidget* owner = nullptr);
};
