#include "wizard/fmuFiscalizationBefore.h"

#include "wizard/fmuFiscalizationInfo.h"
#include "wizard/untController.h"

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
