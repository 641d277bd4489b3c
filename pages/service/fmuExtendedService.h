#pragma once
// TfmExtendedService: the page "Расширенное" (still empty).
#include "core/pages/untPages.h"

class TfmExtendedService : public TPage {
public:
    explicit TfmExtendedService(QWidget* owner = nullptr);
};
