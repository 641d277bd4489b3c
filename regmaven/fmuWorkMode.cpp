#include "regmaven/fmuWorkMode.h"

#include "regmaven/untController.h"

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmFiscalizationBefore);
DEFINE_PAGE_CLASS(TfmWorkMode);

TfmWorkMode::TfmWorkMode() : TParamPage("fmWorkMode", QStringLiteral("Тип налогообложения и режим работы ККТ"))
{
}

// Follows the road to the next page.
void TfmWorkMode::Next()
{
    Controller().NextPageClass = ClassOf<TfmFiscalizationBefore>();
}

} // namespace Regmaven
