#pragma once
// TfmOFDExchangeState: page "Проверка отправки данных в ОФД".
#include "wizard/ParamPage.h"

namespace Regmaven {

class TfmOFDExchangeState : public TParamPage {
    Q_OBJECT
public:
    TfmOFDExchangeState();
    void Next() override;
};

} // namespace Regmaven
