#pragma once
// TfmRNDISParams: page "Настройки подключения RNDIS".
#include "regmaven/ParamPage.h"

namespace Regmaven {

class TfmRNDISParams : public TParamPage {
    Q_OBJECT
public:
    TfmRNDISParams();
    void Next() override;
};

} // namespace Regmaven
