#include "regmaven/fmuCheckRNDIS.h"

namespace Regmaven {

DEFINE_PAGE_CLASS(TfmCheckRNDIS);

TfmCheckRNDIS::TfmCheckRNDIS() : TCheckLANPage("fmCheckRNDIS", QStringLiteral("Проверка связи по RNDIS"))
{
}

} // namespace Regmaven
