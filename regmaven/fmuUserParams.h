#pragma once
// TfmUserParams: page "Настройки места установки ККТ".
#include "regmaven/ParamPage.h"

namespace Regmaven {

class TfmUserParams : public TParamPage {
    Q_OBJECT
public:
    TfmUserParams();
    void Next() override;
};

} // namespace Regmaven
