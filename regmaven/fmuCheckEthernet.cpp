#include "regmaven/fmuCheckEthernet.h"

#include "regmaven/untController.h"

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmOFDExchangeState);
DEFINE_PAGE_CLASS(TfmCheckEthernet);

TfmCheckEthernet::TfmCheckEthernet() : TParamPage(QStringLiteral("Проверка связи по Ethernet"))
{
    setObjectName("fmCheckEthernet");
}

// Follows the road to the next page.
void TfmCheckEthernet::Next()
{
    Controller().NextPageClass = ClassOf<TfmOFDExchangeState>();
}

} // namespace Regmaven
