#include "regmaven/fmuFFD.h"

#include "regmaven/fmuOFDParams.h"
#include "regmaven/untController.h"

namespace Regmaven {

TfmFFD::TfmFFD() : TParamPage(QStringLiteral("Версия ФФД"))
{
    setObjectName("fmFFD");
}

// Follows the road to the next page.
void TfmFFD::Next()
{
    Controller().NextPageClass = ClassOf<TfmOFDParams>();
}

} // namespace Regmaven
