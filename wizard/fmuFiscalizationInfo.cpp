#include "wizard/fmuFiscalizationInfo.h"

#include "wizard/fmuFinalMessage.h"
#include "wizard/untController.h"

namespace Regmaven {

TfmFiscalizationInfo::TfmFiscalizationInfo() : TParamPage(QStringLiteral("Печать чека о фискализации"))
{
    setObjectName("fmFiscalizationInfo");
}

// Follows the road to the next page.
void TfmFiscalizationInfo::Next()
{
    Controller().NextPageClass = ClassOf<TfmFinalMessage>();
}

} // namespace Regmaven
