#include "regmaven/fmuOFDParams.h"

#include "regmaven/untController.h"

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmSelectNetType);
DECLARE_PAGE_CLASS(TfmUserParams);
DEFINE_PAGE_CLASS(TfmOFDParams);

TfmOFDParams::TfmOFDParams() : TParamPage("fmOFDParams", QStringLiteral("Настройки ОФД"))
{
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
