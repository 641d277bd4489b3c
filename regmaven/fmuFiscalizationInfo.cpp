#include "regmaven/fmuFiscalizationInfo.h"

#include "regmaven/untController.h"

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmFinalMessage);
DEFINE_PAGE_CLASS(TfmFiscalizationInfo);

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
