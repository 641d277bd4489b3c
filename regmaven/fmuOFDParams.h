#pragma once
// TfmOFDParams: page "Настройки ОФД".
#include "regmaven/ParamPage.h"

namespace Regmaven {

class TfmOFDParams : public TParamPage {
    Q_OBJECT
public:
    TfmOFDParams();
    void Next() override;
};

} // namespace Regmaven
