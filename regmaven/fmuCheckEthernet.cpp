#include "regmaven/fmuCheckEthernet.h"

#include "regmaven/untController.h"

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmOFDExchangeState);
DEFINE_PAGE_CLASS(TfmCheckEthernet);

TfmCheckEthernet::TfmCheckEthernet() : TParamPage("fmCheckEthernet", QStringLiteral("Проверка связи по Ethernet"))
{
}

// Follows the road to the next page.
void TfmCheckEthernet::Next()
{
    Controller().NextPageClass = ClassOf<TfmOFDExchangeState>();
}

} // namespace Regmaven
