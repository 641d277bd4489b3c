#pragma once
// TfmConnectDevice: page "Подключите устройство".
#include "wizard/ParamPage.h"

namespace Regmaven {

class TfmConnectDevice : public TParamPage {
    Q_OBJECT
public:
    TfmConnectDevice();
    void Next() override;
};

} // namespace Regmaven
