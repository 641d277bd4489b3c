#pragma once
// TfmWiFiParams: page "Настройки подключения WiFi".
#include "regmaven/ParamPage.h"

namespace Regmaven {

class TfmWiFiParams : public TParamPage {
    Q_OBJECT
public:
    TfmWiFiParams();
};

} // namespace Regmaven
