#include "regmaven/fmuCloseFN.h"

#include "regmaven/fmuSelectWorkType.h"
#include "regmaven/untController.h"

namespace Regmaven {

TfmCloseFN::TfmCloseFN() : TParamPage(QStringLiteral("Закрытие архива ФН"))
{
    setObjectName("fmCloseFN");
}

// Follows the road to the next page.
void TfmCloseFN::Next()
{
    Controller().NextPageClass = ClassOf<TfmSelectWorkType>();
}

} // namespace Regmaven
