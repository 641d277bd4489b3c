#include "wizard/fmuOFDExchangeState.h"

#include "wizard/fmuFinalMessage.h"
#include "wizard/untController.h"

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
