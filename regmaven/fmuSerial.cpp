#include "regmaven/fmuSerial.h"

#include "regmaven/fmuKKTParamsX5.h"
#include "regmaven/fmuSelectClientType.h"
#include "regmaven/untController.h"

namespace Regmaven {

TfmEnterSerial::TfmEnterSerial() : TParamPage(QStringLiteral("Введите заводской номер"))
{
    setObjectName("fmEnterSerial");
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
