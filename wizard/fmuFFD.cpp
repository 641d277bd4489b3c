#include "wizard/fmuFFD.h"

#include "wizard/fmuOFDParams.h"
#include "wizard/untController.h"

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
