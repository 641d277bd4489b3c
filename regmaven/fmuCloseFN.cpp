#include "regmaven/fmuCloseFN.h"

#include "regmaven/untController.h"

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmSelectWorkType);
DEFINE_PAGE_CLASS(TfmCloseFN);

TfmCloseFN::TfmCloseFN() : TParamPage("fmCloseFN", QStringLiteral("Закрытие архива ФН"))
{
}

// Follows the road to the next page.
void TfmCloseFN::Next()
{
    Controller().NextPageClass = ClassOf<TfmSelectWorkType>();
}

} // namespace Regmaven
