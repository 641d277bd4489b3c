#include "regmaven/fmuSelectClientType.h"

#include "regmaven/fmuFFD.h"
#include "regmaven/untController.h"

namespace Regmaven {

TfmSelectClientType::TfmSelectClientType() : TParamPage(QStringLiteral("Выберите тип работы"))
{
    setObjectName("fmSelectClientType");
}

// Follows the road to the next page.
void TfmSelectClientType::Next()
{
    Controller().NextPageClass = ClassOf<TfmFFD>();
}

} // namespace Regmaven
