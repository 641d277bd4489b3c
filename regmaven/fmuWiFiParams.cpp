#include "regmaven/fmuWiFiParams.h"

namespace Regmaven {

DEFINE_PAGE_CLASS(TfmWiFiParams);

TfmWiFiParams::TfmWiFiParams() : TParamPage("fmWiFiParams", QStringLiteral("Настройки подключения WiFi"))
{
}

} // namespace Regmaven
