#pragma once
// TfmFNOperation: the page "Операции ФН" (still empty).
#include "core/pages/untPages.h"

class TfmFNOperation : public TPage {
public:
    explicit TfmFNOperation(QWidget* owner = nullptr);
};
