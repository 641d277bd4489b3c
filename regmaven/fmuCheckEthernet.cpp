#include "regmaven/fmuCheckEthernet.h"

namespace Regmaven {

DEFINE_PAGE_CLASS(TfmCheckEthernet);

TfmCheckEthernet::TfmCheckEthernet() : TCheckLANPage("fmCheckEthernet", QStringLiteral("Проверка связи по Ethernet"))
{
}

} // namespace Regmaven
