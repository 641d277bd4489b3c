#include "wizard/fmuRNDISParams.h"

#include "wizard/fmuCheckRNDIS.h"
#include "wizard/untController.h"

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
