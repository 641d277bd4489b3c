#pragma once
// TfmConnectDevice: page "Подключите устройство".
#include "regmaven/ParamPage.h"

namespace Regmaven {

class TfmConnectDevice : public TParamPage {
    Q_OBJECT
public:
    TfmConnectDevice();
    void Next() override;
};

} // namespace Regmaven
