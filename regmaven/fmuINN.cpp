#include "regmaven/fmuINN.h"

#include "regmaven/fmuWorkMode.h"
#include "regmaven/untController.h"

namespace Regmaven {

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
