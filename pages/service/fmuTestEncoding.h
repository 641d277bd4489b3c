#pragma once
// TfmTestEncoding: the page "Кодировки" (still empty).
#include "core/pages/untPages.h"

class TfmTestEncoding : public TPage {
public:
    static constexpr const char* PageCaption = "Кодировки";
    explicit TfmTestEncoding(QWidget* owner = nullptr);
};
