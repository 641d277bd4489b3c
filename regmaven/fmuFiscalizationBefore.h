#pragma once
// TfmFiscalizationBefore: page "Регистрация ККТ".
#include "regmaven/ParamPage.h"

namespace Regmaven {

class TfmFiscalizationBefore : public TParamPage {
    Q_OBJECT
public:
    TfmFiscalizationBefore();
    void Next() override;
};

} // namespace Regmaven
