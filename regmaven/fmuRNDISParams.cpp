#include "regmaven/fmuRNDISParams.h"

#include "regmaven/untController.h"

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmCheckRNDIS);
DEFINE_PAGE_CLASS(TfmRNDISParams);

TfmRNDISParams::TfmRNDISParams() : TParamPage("fmRNDISParams", QStringLiteral("Настройки подключения RNDIS"))
{
}

// Follows the road to the next page.
void TfmRNDISParams::Next()
{
    Controller().NextPageClass = ClassOf<TfmCheckRNDIS>();
}

} // namespace Regmaven
