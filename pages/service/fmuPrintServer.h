#pragma once
// TfmPrintServer: the page "Сервер печати" (still empty).
#include "core/pages/untPages.h"

class TfmPrintServer : public TPage {
public:
    static constexpr const char* PageCaption = "Сервер печати";
    explicit TfmPrintServer(QWidget* owner = nullptr);
};
