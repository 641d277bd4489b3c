#pragma once
// The final page: every step is done; "Далее >" starts over.
#include "regmaven/ParamPage.h"

class QLabel;

namespace Regmaven {

class TfmFinalMessage : public TParamPage {
    Q_OBJECT
public:
    TfmFinalMessage();
    void Next() override;

    QLabel* lblMessage;
};

} // namespace Regmaven
