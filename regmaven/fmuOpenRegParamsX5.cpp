#include "regmaven/fmuOpenRegParamsX5.h"

#include "regmaven/untController.h"

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmRegParamsX5);
DEFINE_PAGE_CLASS(TfmOpenRegParamsX5);

TfmOpenRegParamsX5::TfmOpenRegParamsX5() : TParamPage("fmOpenRegParamsX5", QStringLiteral("Открыть файл с парметрами (X5)"))
{
}

// Follows the road to the next page.
void TfmOpenRegParamsX5::Next()
{
    Controller().NextPageClass = ClassOf<TfmRegParamsX5>();
}

} // namespace Regmaven
