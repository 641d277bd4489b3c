#include "regmaven/fmuSelectClientType.h"

#include "regmaven/untController.h"

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmFFD);
DEFINE_PAGE_CLASS(TfmSelectClientType);

TfmSelectClientType::TfmSelectClientType() : TParamPage("fmSelectClientType", QStringLiteral("Выберите тип работы"))
{
}

// Follows the road to the next page.
void TfmSelectClientType::Next()
{
    Controller().NextPageClass = ClassOf<TfmFFD>();
}

} // namespace Regmaven
