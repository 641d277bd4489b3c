#include "regmaven/fmuEthernetParams.h"

#include "regmaven/untController.h"

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmCheckEthernet);
DEFINE_PAGE_CLASS(TfmEthernetParams);

TfmEthernetParams::TfmEthernetParams() : TParamPage("fmEthernetParams", QStringLiteral("Параметры Ethernet"))
{
}

// Follows the road to the next page.
void TfmEthernetParams::Next()
{
    Controller().NextPageClass = ClassOf<TfmCheckEthernet>();
}

} // namespace Regmaven
