#pragma once
// TfmOFDExchangeState: page "Проверка отправки данных в ОФД": how many FN
// documents still wait for the OFD.
#include "regmaven/ParamPage.h"

class QLabel;
class QPushButton;

namespace Regmaven {

class TfmOFDExchangeState : public TParamPage {
    Q_OBJECT
public:
    TfmOFDExchangeState();
    void Next() override;

    QLabel* lblInfo;
    QPushButton* btnRefresh;

    void btnRefreshClick();

protected:
    void FormShow() override;
};

} // namespace Regmaven
