#pragma once
// TfmFNArchive: the page "Архив ФН" (still empty).
#include "core/pages/untPages.h"

class TfmFNArchive : public TPage {
public:
    static constexpr const char* PageCaption = "Архив ФН";
    explicit TfmFNArchive(QWidget* owner = nullptr);
};
