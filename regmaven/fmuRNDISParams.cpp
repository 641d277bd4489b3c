#include "regmaven/fmuRNDISParams.h"

#include "regmaven/fmuCheckRNDIS.h"
#include "regmaven/untController.h"

namespace Regmaven {

TfmRNDISParams::TfmRNDISParams() : TParamPage(QStringLiteral("Настройки подключения RNDIS"))
{
    setObjectName("fmRNDISParams");
}

// Follows the road to the next page.
void TfmRNDISParams::Next()
{
    Controller().NextPageClass = ClassOf<TfmCheckRNDIS>();
}

} // namespace Regmaven
