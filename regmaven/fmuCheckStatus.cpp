#include "regmaven/fmuCheckStatus.h"

#include "regmaven/untController.h"

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmBeforeCloseFN);
DECLARE_PAGE_CLASS(TfmEnterSerial);
DECLARE_PAGE_CLASS(TfmSelectClientType);
DEFINE_PAGE_CLASS(TfmCheckStatus);
DEFINE_PAGE_CLASS(TFmCheckStatusBeforeRegistration);
DEFINE_PAGE_CLASS(TFmCheckStatusBeforeReRegistration);
DEFINE_PAGE_CLASS(TFmCheckStatusBeforeCloseFN);

TfmCheckStatus::TfmCheckStatus() : TParamPage("fmCheckStatus", QStringLiteral("Проверка состояния"))
{
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
