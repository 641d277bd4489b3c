#pragma once
// TfmDBSession: the page "Контрольная лента" (still empty).
#include "core/pages/untPages.h"

class TfmDBSession : public TPage {
public:
    static constexpr const char* PageCaption = "Контрольная лента";
    explicit TfmDBSession(QWidget* owner = nullptr);
};
