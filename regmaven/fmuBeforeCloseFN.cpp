#include "regmaven/fmuBeforeCloseFN.h"

#include "regmaven/untController.h"

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmCloseFN);
DEFINE_PAGE_CLASS(TfmBeforeCloseFN);

TfmBeforeCloseFN::TfmBeforeCloseFN() : TParamPage("fmBeforeCloseFN", QStringLiteral("Закрытие архива ФН"))
{
}

// Follows the road to the next page.
void TfmBeforeCloseFN::Next()
{
    Controller().NextPageClass = ClassOf<TfmCloseFN>();
}

} // namespace Regmaven
