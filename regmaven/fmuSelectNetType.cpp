#include "regmaven/fmuSelectNetType.h"

#include "regmaven/untController.h"

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmEthernetParams);
DEFINE_PAGE_CLASS(TfmSelectNetType);

TfmSelectNetType::TfmSelectNetType() : TParamPage("fmSelectNetType", QStringLiteral("Выберите тип подключения к ОФД"))
{
}

// Follows the road to the next page.
void TfmSelectNetType::Next()
{
    Controller().NextPageClass = ClassOf<TfmEthernetParams>();
}

} // namespace Regmaven
