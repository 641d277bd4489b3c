#pragma once
// TfmTCPParams: page "Параметры подключения по TCP".
#include "wizard/ParamPage.h"

namespace Regmaven {

class TfmTCPParams : public TParamPage {
    Q_OBJECT
public:
    TfmTCPParams();
    void Next() override;
};

} // namespace Regmaven
