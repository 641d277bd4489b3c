#include "regmaven/fmuCalculationStateReport.h"

#include "platform/ui/Dialogs.h"
#include "platform/ui/FormBuilder.h"
#include "regmaven/untController.h"
#include "regmaven/untDriver.h"

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmSelectWorkType);
DEFINE_PAGE_CLASS(TfmCalculationStateReport);

TfmCalculationStateReport::TfmCalculationStateReport()
    : TParamPage("fmCalculationStateReport", QStringLiteral("Отчет о текущем состоянии расчетов"))
{
    TFormBuilder<TfmCalculationStateReport> b(this);
    b.Label("lblInfo", QStringLiteral("Нажмите \"Далее\" чтобы распечатать отчет о состоянии расчетов"));
    b.Space();
}

// The work-type page closes the connection when it shows.
void TfmCalculationStateReport::Next()
{
    Controller().NextPageClass = ClassOf<TfmSelectWorkType>();
    Check(Driver().FNBuildCalculationStateReport());
    Dialogs::ShowMessage(QStringLiteral("Отчет успешно распечатан"));
}

} // namespace Regmaven
