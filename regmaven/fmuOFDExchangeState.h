#pragma once
// TfmOFDExchangeState: page "Проверка отправки данных в ОФД".
#include "regmaven/ParamPage.h"

namespace Regmaven {

class TfmOFDExchangeState : public TParamPage {
    Q_OBJECT
public:
    TfmOFDExchangeState();
    void Next() override;
};

} // namespace Regmaven
