#pragma once
// TfmFNFiscalization: the page "Фискализация ФН" (still empty).
#include "core/pages/untPages.h"

class TfmFNFiscalization : public TPage {
public:
    static constexpr const char* PageCaption = "Фискализация ФН";
    explicit TfmFNFiscalization(QWidget* owner = nullptr);
};
