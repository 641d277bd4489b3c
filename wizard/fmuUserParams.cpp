#include "wizard/fmuUserParams.h"

#include "wizard/fmuINN.h"
#include "wizard/untController.h"

namespace Regmaven {

TfmUserParams::TfmUserParams() : TParamPage(QStringLiteral("Настройки места установки ККТ"))
{
    setObjectName("fmUserParams");
}

// Follows the road to the next page.
void TfmUserParams::Next()
{
    Controller().NextPageClass = ClassOf<TfmINN>();
}

} // namespace Regmaven
