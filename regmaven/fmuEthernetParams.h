#pragma once
// TfmEthernetParams: page "Параметры Ethernet": the register's Ethernet
// address (by DHCP or static) and its TCP port on the OFD link.
#include "regmaven/NetParamsPage.h"

namespace Regmaven {

class TfmEthernetParams : public TNetParamsPage {
    Q_OBJECT
public:
    TfmEthernetParams();
    void Next() override;

protected:
    void FormShow() override;
};

} // namespace Regmaven
