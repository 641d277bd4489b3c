#include "regmaven/fmuFiscalizationInfo.h"

#include "regmaven/untController.h"

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmFinalMessage);
DEFINE_PAGE_CLASS(TfmFiscalizationInfo);

TfmFiscalizationInfo::TfmFiscalizationInfo() : TParamPage("fmFiscalizationInfo", QStringLiteral("Печать чека о фискализации"))
{
}

// Follows the road to the next page.
void TfmFiscalizationInfo::Next()
{
    Controller().NextPageClass = ClassOf<TfmFinalMessage>();
}

} // namespace Regmaven
