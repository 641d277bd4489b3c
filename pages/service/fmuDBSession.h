#pragma once
// TfmDBSession: the page "Контрольная лента" (still empty).
#include "core/pages/untPages.h"

class TfmDBSession : public TPage {
public:
    explicit TfmDBSession(QWidget* owner = nullptr);
};
