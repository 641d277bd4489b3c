#include "regmaven/fmuOFDParams.h"

#include "regmaven/fmuSelectNetType.h"
#include "regmaven/fmuUserParams.h"
#include "regmaven/untController.h"

namespace Regmaven {

TfmOFDParams::TfmOFDParams() : TParamPage(QStringLiteral("Настройки ОФД"))
{
    setObjectName("fmOFDParams");
}

// Follows the road to the next page.
void TfmOFDParams::Next()
{
    if (Controller().IsOFDSettingMode)
        Controller().NextPageClass = ClassOf<TfmSelectNetType>();
    else
        Controller().NextPageClass = ClassOf<TfmUserParams>();
}

} // namespace Regmaven
