#include "regmaven/fmuConnectDevice.h"

#include "regmaven/untController.h"

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmSelectPortType);
DEFINE_PAGE_CLASS(TfmConnectDevice);

TfmConnectDevice::TfmConnectDevice() : TParamPage("fmConnectDevice", QStringLiteral("Подключите устройство"))
{
}

// Follows the road to the next page.
void TfmConnectDevice::Next()
{
    Controller().NextPageClass = ClassOf<TfmSelectPortType>();
}

} // namespace Regmaven
