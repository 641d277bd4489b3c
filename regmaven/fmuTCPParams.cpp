#include "regmaven/fmuTCPParams.h"

#include "regmaven/untController.h"

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmSelectWorkType);
DEFINE_PAGE_CLASS(TfmTCPParams);

TfmTCPParams::TfmTCPParams() : TParamPage("fmTCPParams", QStringLiteral("Параметры подключения по TCP"))
{
}

// Follows the road to the next page.
void TfmTCPParams::Next()
{
    Controller().NextPageClass = ClassOf<TfmSelectWorkType>();
}

} // namespace Regmaven
