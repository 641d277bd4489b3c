#include "regmaven/fmuSerial.h"

#include "regmaven/untController.h"

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmKKTParamsX5);
DECLARE_PAGE_CLASS(TfmSelectClientType);
DEFINE_PAGE_CLASS(TfmEnterSerial);

TfmEnterSerial::TfmEnterSerial() : TParamPage("fmEnterSerial", QStringLiteral("Введите заводской номер"))
{
}

// Follows the road to the next page.
void TfmEnterSerial::Next()
{
    if (Controller().X5Mode)
        Controller().NextPageClass = ClassOf<TfmKKTParamsX5>();
    else
        Controller().NextPageClass = ClassOf<TfmSelectClientType>();
}

} // namespace Regmaven
