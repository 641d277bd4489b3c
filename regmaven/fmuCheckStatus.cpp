#include "regmaven/fmuCheckStatus.h"

#include "regmaven/fmuBeforeCloseFN.h"
#include "regmaven/fmuSelectClientType.h"
#include "regmaven/fmuSerial.h"
#include "regmaven/untController.h"

namespace Regmaven {

TfmCheckStatus::TfmCheckStatus() : TParamPage(QStringLiteral("Проверка состояния"))
{
    setObjectName("fmCheckStatus");
}

// Each variant follows its road to the next page.
void TFmCheckStatusBeforeRegistration::Next()
{
    Controller().NextPageClass = ClassOf<TfmEnterSerial>();
}

void TFmCheckStatusBeforeReRegistration::Next()
{
    Controller().NextPageClass = ClassOf<TfmSelectClientType>();
}

void TFmCheckStatusBeforeCloseFN::Next()
{
    Controller().NextPageClass = ClassOf<TfmBeforeCloseFN>();
}

} // namespace Regmaven
