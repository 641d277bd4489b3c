#include "regmaven/fmuConnectDevice.h"

#include "regmaven/fmuSelectPortType.h"
#include "regmaven/untController.h"

namespace Regmaven {

TfmConnectDevice::TfmConnectDevice() : TParamPage(QStringLiteral("Подключите устройство"))
{
    setObjectName("fmConnectDevice");
}

// Follows the road to the next page.
void TfmConnectDevice::Next()
{
    Controller().NextPageClass = ClassOf<TfmSelectPortType>();
}

} // namespace Regmaven
