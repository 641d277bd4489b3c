#include "regmaven/fmuINN.h"

#include "regmaven/untController.h"

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmWorkMode);
DEFINE_PAGE_CLASS(TfmINN);

TfmINN::TfmINN() : TParamPage(QStringLiteral("Введите ИНН и РНМ ККТ"))
{
    setObjectName("fmINN");
}

// Follows the road to the next page.
void TfmINN::Next()
{
    Controller().NextPageClass = ClassOf<TfmWorkMode>();
}

} // namespace Regmaven
