#include "regmaven/fmuKKTParamsX5.h"

#include "regmaven/untController.h"

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmOpenRegParamsX5);
DEFINE_PAGE_CLASS(TfmKKTParamsX5);

TfmKKTParamsX5::TfmKKTParamsX5() : TParamPage("fmKKTParamsX5", QStringLiteral("Сохранить параметры ФР (X5)"))
{
}

// Follows the road to the next page.
void TfmKKTParamsX5::Next()
{
    Controller().NextPageClass = ClassOf<TfmOpenRegParamsX5>();
}

} // namespace Regmaven
