#include "regmaven/fmuOFDExchangeState.h"

#include "regmaven/fmuFinalMessage.h"
#include "regmaven/untController.h"

namespace Regmaven {

TfmOFDExchangeState::TfmOFDExchangeState() : TParamPage(QStringLiteral("Проверка отправки данных в ОФД"))
{
    setObjectName("fmOFDExchangeState");
}

// Follows the road to the next page.
void TfmOFDExchangeState::Next()
{
    Controller().NextPageClass = ClassOf<TfmFinalMessage>();
}

} // namespace Regmaven
