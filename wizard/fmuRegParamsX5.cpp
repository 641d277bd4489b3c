#include "wizard/fmuRegParamsX5.h"

#include "wizard/fmuFiscalizationBefore.h"
#include "wizard/untController.h"

namespace Regmaven {

TfmRegParamsX5::TfmRegParamsX5() : TParamPage(QStringLiteral("Параметры регистрации (X5)"))
{
    setObjectName("fmRegParamsX5");
}

// Follows the road to the next page.
void TfmRegParamsX5::Next()
{
    Controller().NextPageClass = ClassOf<TfmFiscalizationBefore>();
}

} // namespace Regmaven
