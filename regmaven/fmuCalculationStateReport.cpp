#include "regmaven/fmuCalculationStateReport.h"

#include "regmaven/untController.h"

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmSelectWorkType);
DEFINE_PAGE_CLASS(TfmCalculationStateReport);

TfmCalculationStateReport::TfmCalculationStateReport() : TParamPage("fmCalculationStateReport", QStringLiteral("Отчет о текущем состоянии расчетов"))
{
}

// Follows the road to the next page.
void TfmCalculationStateReport::Next()
{
    Controller().NextPageClass = ClassOf<TfmSelectWorkType>();
}

} // namespace Regmaven
