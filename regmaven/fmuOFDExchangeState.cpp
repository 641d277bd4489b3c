#include "regmaven/fmuOFDExchangeState.h"

#include "regmaven/untController.h"

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmFinalMessage);
DEFINE_PAGE_CLASS(TfmOFDExchangeState);

TfmOFDExchangeState::TfmOFDExchangeState() : TParamPage("fmOFDExchangeState", QStringLiteral("Проверка отправки данных в ОФД"))
{
}

// Follows the road to the next page.
void TfmOFDExchangeState::Next()
{
    Controller().NextPageClass = ClassOf<TfmFinalMessage>();
}

} // namespace Regmaven
