#pragma once
// TfmSearchDevice: page "Поиск устройств".
#include "regmaven/ParamPage.h"

namespace Regmaven {

class TfmSearchDevice : public TParamPage {
    Q_OBJECT
public:
    TfmSearchDevice();
    void Next() override;
};

} // namespace Regmaven
