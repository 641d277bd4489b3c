#pragma once
// TfmCheckEthernet: page "Проверка связи по Ethernet".
#include "regmaven/ParamPage.h"

namespace Regmaven {

class TfmCheckEthernet : public TParamPage {
    Q_OBJECT
public:
    TfmCheckEthernet();
    void Next() override;
};

} // namespace Regmaven
