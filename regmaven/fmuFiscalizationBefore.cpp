#include "regmaven/fmuFiscalizationBefore.h"

#include "regmaven/fmuFiscalizationInfo.h"
#include "regmaven/untController.h"

namespace Regmaven {

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
