#pragma once
// TfmWiFiParams: page "Настройки подключения WiFi": the access point, its
// password, the Wi-Fi address (by DHCP or static) and the TCP port.
#include "regmaven/NetParamsPage.h"

namespace Regmaven {

class TfmWiFiParams : public TNetParamsPage {
    Q_OBJECT
public:
    TfmWiFiParams();
    void Next() override;

    QLineEdit* edtWiFiSSID;
    QLineEdit* edtWiFiPass;

protected:
    void FormShow() override;
};

} // namespace Regmaven
