#pragma once
// TfmBeforeCloseFN: page "Закрытие архива ФН".
#include "regmaven/ParamPage.h"

namespace Regmaven {

class TfmBeforeCloseFN : public TParamPage {
    Q_OBJECT
public:
    TfmBeforeCloseFN();
    void Next() override;
};

} // namespace Regmaven
