#include "regmaven/fmuCheckRNDIS.h"

#include "regmaven/fmuOFDExchangeState.h"
#include "regmaven/untController.h"

namespace Regmaven {

TfmCheckRNDIS::TfmCheckRNDIS() : TParamPage(QStringLiteral("Проверка связи по RNDIS"))
{
    setObjectName("fmCheckRNDIS");
}

// Follows the road to the next page.
void TfmCheckRNDIS::Next()
{
    Controller().NextPageClass = ClassOf<TfmOFDExchangeState>();
}

} // namespace Regmaven
