#include "regmaven/fmuTCPParams.h"

#include "regmaven/fmuSelectWorkType.h"
#include "regmaven/untController.h"

namespace Regmaven {

TfmTCPParams::TfmTCPParams() : TParamPage(QStringLiteral("Параметры подключения по TCP"))
{
    setObjectName("fmTCPParams");
}

// Follows the road to the next page.
void TfmTCPParams::Next()
{
    Controller().NextPageClass = ClassOf<TfmSelectWorkType>();
}

} // namespace Regmaven
