#include "wizard/fmuSelectNetType.h"

#include "wizard/fmuEthernetParams.h"
#include "wizard/untController.h"

namespace Regmaven {

TfmSelectNetType::TfmSelectNetType() : TParamPage(QStringLiteral("Выберите тип подключения к ОФД"))
{
    setObjectName("fmSelectNetType");
}

// Follows the road to the next page.
void TfmSelectNetType::Next()
{
    Controller().NextPageClass = ClassOf<TfmEthernetParams>();
}

} // namespace Regmaven
