#include "regmaven/fmuWiFiParams.h"

namespace Regmaven {

TfmWiFiParams::TfmWiFiParams() : TParamPage(QStringLiteral("Настройки подключения WiFi"))
{
    setObjectName("fmWiFiParams");
}

} // namespace Regmaven
