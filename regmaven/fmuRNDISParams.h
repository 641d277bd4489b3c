#pragma once
// TfmRNDISParams: page "Настройки подключения RNDIS": the register's static
// address on the USB network link and its TCP port.
#include "regmaven/NetParamsPage.h"

namespace Regmaven {

class TfmRNDISParams : public TNetParamsPage {
    Q_OBJECT
public:
    TfmRNDISParams();
    void Next() override;

protected:
    void FormShow() override;
};

} // namespace Regmaven
