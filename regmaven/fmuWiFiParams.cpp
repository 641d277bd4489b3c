#include "regmaven/fmuWiFiParams.h"

namespace Regmaven {

DEFINE_PAGE_CLASS(TfmWiFiParams);

TfmWiFiParams::TfmWiFiParams() : TParamPage(QStringLiteral("Настройки подключения WiFi"))
{
    setObjectName("fmWiFiParams");
}

} // namespace Regmaven
