#pragma once
// TfmRegParamsX5: page "Параметры регистрации (X5)".
#include "regmaven/ParamPage.h"

namespace Regmaven {

class TfmRegParamsX5 : public TParamPage {
    Q_OBJECT
public:
    TfmRegParamsX5();
    void Next() override;
};

} // namespace Regmaven
