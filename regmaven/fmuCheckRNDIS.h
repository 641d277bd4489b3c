#pragma once
// TfmCheckRNDIS: page "Проверка связи по RNDIS".
#include "regmaven/ParamPage.h"

namespace Regmaven {

class TfmCheckRNDIS : public TParamPage {
    Q_OBJECT
public:
    TfmCheckRNDIS();
    void Next() override;
};

} // namespace Regmaven
