#pragma once
// TfmEthernetParams: page "Параметры Ethernet".
#include "regmaven/ParamPage.h"

namespace Regmaven {

class TfmEthernetParams : public TParamPage {
    Q_OBJECT
public:
    TfmEthernetParams();
    void Next() override;
};

} // namespace Regmaven
