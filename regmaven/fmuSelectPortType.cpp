#include "regmaven/fmuSelectPortType.h"

#include "regmaven/untController.h"

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmSearchDevice);
DEFINE_PAGE_CLASS(TfmSelectPortType);

TfmSelectPortType::TfmSelectPortType() : TParamPage("fmSelectPortType", QStringLiteral("Выберите тип подключения к ККТ"))
{
}

// Follows the road to the next page.
void TfmSelectPortType::Next()
{
    Controller().NextPageClass = ClassOf<TfmSearchDevice>();
}

} // namespace Regmaven
