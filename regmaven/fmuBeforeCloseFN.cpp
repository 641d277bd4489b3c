#include "regmaven/fmuBeforeCloseFN.h"

#include "regmaven/fmuCloseFN.h"
#include "regmaven/untController.h"

namespace Regmaven {

TfmBeforeCloseFN::TfmBeforeCloseFN() : TParamPage(QStringLiteral("Закрытие архива ФН"))
{
    setObjectName("fmBeforeCloseFN");
}

// Follows the road to the next page.
void TfmBeforeCloseFN::Next()
{
    Controller().NextPageClass = ClassOf<TfmCloseFN>();
}

} // namespace Regmaven
