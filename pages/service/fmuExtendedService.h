#pragma once
// TfmExtendedService: the page "Расширенное" (still empty).
#include "core/pages/untPages.h"

class TfmExtendedService : public TPage {
public:
    static constexpr const char* PageCaption = "Расширенное";
    explicit TfmExtendedService(QWidget* owner = nullptr);
};
