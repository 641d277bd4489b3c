#include "regmaven/fmuFFD.h"

#include "regmaven/untController.h"

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmOFDParams);
DEFINE_PAGE_CLASS(TfmFFD);

TfmFFD::TfmFFD() : TParamPage("fmFFD", QStringLiteral("Версия ФФД"))
{
}

// Follows the road to the next page.
void TfmFFD::Next()
{
    Controller().NextPageClass = ClassOf<TfmOFDParams>();
}

} // namespace Regmaven
