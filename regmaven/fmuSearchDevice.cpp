#include "regmaven/fmuSearchDevice.h"

#include "regmaven/untController.h"

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmSelectWorkType);
DEFINE_PAGE_CLASS(TfmSearchDevice);

TfmSearchDevice::TfmSearchDevice() : TParamPage("fmSearchDevice", QStringLiteral("Поиск устройств"))
{
}

// Follows the road to the next page.
void TfmSearchDevice::Next()
{
    Controller().NextPageClass = ClassOf<TfmSelectWorkType>();
}

} // namespace Regmaven
