#pragma once
// TfmFNOperation: the page "Операции ФН" (still empty).
#include "core/pages/untPages.h"

class TfmFNOperation : public TPage {
public:
    static constexpr const char* PageCaption = "Операции ФН";
    explicit TfmFNOperation(QWidget* owner = nullptr);
};
