#pragma once
// TfmLoader: the page "Загрузчик" (still empty).
#include "core/pages/untPages.h"

class TfmLoader : public TPage {
public:
    static constexpr const char* PageCaption = "Загрузчик";
    explicit TfmLoader(QWidget* owner = nullptr);
};
