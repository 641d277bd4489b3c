#include "regmaven/fmuFiscalizationBefore.h"

#include "regmaven/untController.h"

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmFiscalizationInfo);
DEFINE_PAGE_CLASS(TfmFiscalizationBefore);

TfmFiscalizationBefore::TfmFiscalizationBefore() : TParamPage("fmFiscalizationBefore", QStringLiteral("Регистрация ККТ"))
{
}

// Follows the road to the next page.
void TfmFiscalizationBefore::Next()
{
    Controller().NextPageClass = ClassOf<TfmFiscalizationInfo>();
}

} // namespace Regmaven
