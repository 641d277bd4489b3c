#pragma once
// TfmCloseFN: page "Закрытие архива ФН".
#include "regmaven/ParamPage.h"

namespace Regmaven {

class TfmCloseFN : public TParamPage {
    Q_OBJECT
public:
    TfmCloseFN();
    void Next() override;
};

} // namespace Regmaven
