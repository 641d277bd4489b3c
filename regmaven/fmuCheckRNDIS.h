#pragma once
// TfmCheckRNDIS: page "Проверка связи по RNDIS".
#include "regmaven/CheckLANPage.h"

namespace Regmaven {

class TfmCheckRNDIS : public TCheckLANPage {
    Q_OBJECT
public:
    TfmCheckRNDIS();
};

} // namespace Regmaven
