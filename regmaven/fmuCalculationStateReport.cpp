#include "regmaven/fmuCalculationStateReport.h"

#include "regmaven/fmuSelectWorkType.h"
#include "regmaven/untController.h"

namespace Regmaven {

TfmCalculationStateReport::TfmCalculationStateReport() : TParamPage(QStringLiteral("Отчет о текущем состоянии расчетов"))
{
    setObjectName("fmCalculationStateReport");
}

// Follows the road to the next page.
void TfmCalculationStateReport::Next()
{
    Controller().NextPageClass = ClassOf<TfmSelectWorkType>();
}

} // namespace Regmaven
