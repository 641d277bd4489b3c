#include "regmaven/fmuFiscalizationBefore.h"

#include "regmaven/untController.h"

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmFiscalizationInfo);
DEFINE_PAGE_CLASS(TfmFiscalizationBefore);

TfmFiscalizationBefore::TfmFiscalizationBefore() : TParamPage(QStringLiteral("Регистрация ККТ"))
{
    setObjectName("fmFiscalizationBefore");
}

// Follows the road to the next page.
void TfmFiscalizationBefore::Next()
{
    Controller().NextPageClass = ClassOf<TfmFiscalizationInfo>();
}

} // namespace Regmaven
