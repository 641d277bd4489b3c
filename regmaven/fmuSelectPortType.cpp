#include "regmaven/fmuSelectPortType.h"

#include "regmaven/fmuSearchDevice.h"
#include "regmaven/untController.h"

namespace Regmaven {

TfmSelectPortType::TfmSelectPortType() : TParamPage(QStringLiteral("Выберите тип подключения к ККТ"))
{
    setObjectName("fmSelectPortType");
}

// Follows the road to the next page.
void TfmSelectPortType::Next()
{
    Controller().NextPageClass = ClassOf<TfmSearchDevice>();
}

} // namespace Regmaven
