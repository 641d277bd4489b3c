#pragma once
// TfmCheckEthernet: page "Проверка связи по Ethernet".
#include "regmaven/CheckLANPage.h"

namespace Regmaven {

class TfmCheckEthernet : public TCheckLANPage {
    Q_OBJECT
public:
    TfmCheckEthernet();
};

} // namespace Regmaven
