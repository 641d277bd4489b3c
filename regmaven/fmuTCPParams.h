#pragma once
// TfmTCPParams: page "Параметры подключения по TCP".
#include "regmaven/ParamPage.h"

namespace Regmaven {

class TfmTCPParams : public TParamPage {
    Q_OBJECT
public:
    TfmTCPParams();
    void Next() override;
};

} // namespace Regmaven
