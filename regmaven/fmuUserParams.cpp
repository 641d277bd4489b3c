#include "regmaven/fmuUserParams.h"

#include "regmaven/untController.h"

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmINN);
DEFINE_PAGE_CLASS(TfmUserParams);

TfmUserParams::TfmUserParams() : TParamPage("fmUserParams", QStringLiteral("Настройки места установки ККТ"))
{
}

// Follows the road to the next page.
void TfmUserParams::Next()
{
    Controller().NextPageClass = ClassOf<TfmINN>();
}

} // namespace Regmaven
