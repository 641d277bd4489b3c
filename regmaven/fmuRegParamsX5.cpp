#include "regmaven/fmuRegParamsX5.h"

#include "regmaven/untController.h"

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmFiscalizationBefore);
DEFINE_PAGE_CLASS(TfmRegParamsX5);

TfmRegParamsX5::TfmRegParamsX5() : TParamPage("fmRegParamsX5", QStringLiteral("Параметры регистрации (X5)"))
{
}

// Follows the road to the next page.
void TfmRegParamsX5::Next()
{
    Controller().NextPageClass = ClassOf<TfmFiscalizationBefore>();
}

} // namespace Regmaven
