#pragma once
// TfmConnection: the page "Связь" (still empty).
#include "core/pages/untPages.h"

class TfmConnection : public TPage {
public:
    static constexpr const char* PageCaption = "Связь";
    explicit TfmConnection(QWidget* owner = nullptr);
};
