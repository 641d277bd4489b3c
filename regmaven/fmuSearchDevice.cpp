#include "regmaven/fmuSearchDevice.h"

#include "regmaven/fmuSelectWorkType.h"
#include "regmaven/untController.h"

namespace Regmaven {

TfmSearchDevice::TfmSearchDevice() : TParamPage(QStringLiteral("Поиск устройств"))
{
    setObjectName("fmSearchDevice");
}

// Follows the road to the next page.
void TfmSearchDevice::Next()
{
    Controller().NextPageClass = ClassOf<TfmSelectWorkType>();
}

} // namespace Regmaven
