#pragma once
// TfmLoader: the page "Загрузчик" (still empty).
#include "core/pages/untPages.h"

class TfmLoader : public TPage {
public:
    explicit TfmLoader(QWidget* owner = nullptr);
};
