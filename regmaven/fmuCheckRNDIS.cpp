#include "regmaven/fmuCheckRNDIS.h"

#include "regmaven/untController.h"

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmOFDExchangeState);
DEFINE_PAGE_CLASS(TfmCheckRNDIS);

TfmCheckRNDIS::TfmCheckRNDIS() : TParamPage("fmCheckRNDIS", QStringLiteral("Проверка связи по RNDIS"))
{
}

// Follows the road to the next page.
void TfmCheckRNDIS::Next()
{
    Controller().NextPageClass = ClassOf<TfmOFDExchangeState>();
}

} // namespace Regmaven
