#pragma once
// TfmConnection: the page "Связь" (still empty).
#include "core/pages/untPages.h"

class TfmConnection : public TPage {
public:
    explicit TfmConnection(QWidget* owner = nullptr);
};
