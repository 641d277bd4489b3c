#include "regmaven/fmuINN.h"

#include "regmaven/untController.h"

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmWorkMode);
DEFINE_PAGE_CLASS(TfmINN);

TfmINN::TfmINN() : TParamPage("fmINN", QStringLiteral("Введите ИНН и РНМ ККТ"))
{
}

// Follows the road to the next page.
void TfmINN::Next()
{
    Controller().NextPageClass = ClassOf<TfmWorkMode>();
}

} // namespace Regmaven
