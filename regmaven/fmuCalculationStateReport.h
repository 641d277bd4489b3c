#pragma once
// TfmCalculationStateReport: page "Отчет о текущем состоянии расчетов".
#include "regmaven/ParamPage.h"

namespace Regmaven {

class TfmCalculationStateReport : public TParamPage {
    Q_OBJECT
public:
    TfmCalculationStateReport();
    void Next() override;
};

} // namespace Regmaven
