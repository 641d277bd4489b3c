#pragma once
// TfmKKTParamsX5: page "Сохранить параметры ФР (X5)".
#include "regmaven/ParamPage.h"

namespace Regmaven {

class TfmKKTParamsX5 : public TParamPage {
    Q_OBJECT
public:
    TfmKKTParamsX5();
    void Next() override;
};

} // namespace Regmaven
