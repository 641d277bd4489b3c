#pragma once
// TfmFiscalizationInfo: page "Печать чека о фискализации".
#include "regmaven/ParamPage.h"

namespace Regmaven {

class TfmFiscalizationInfo : public TParamPage {
    Q_OBJECT
public:
    TfmFiscalizationInfo();
    void Next() override;
};

} // namespace Regmaven
