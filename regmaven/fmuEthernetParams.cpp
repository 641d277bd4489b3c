#include "regmaven/fmuEthernetParams.h"

#include "regmaven/fmuCheckEthernet.h"
#include "regmaven/untController.h"

namespace Regmaven {

TfmEthernetParams::TfmEthernetParams() : TParamPage(QStringLiteral("Параметры Ethernet"))
{
    setObjectName("fmEthernetParams");
}

// Follows the road to the next page.
void TfmEthernetParams::Next()
{
    Controller().NextPageClass = ClassOf<TfmCheckEthernet>();
}

} // namespace Regmaven
