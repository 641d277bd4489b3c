#pragma once
// TfmConnectDevice: page "Подключите устройство". Creates the wizard's
// driver object and lets the user on only with a recent enough driver.
#include "regmaven/ParamPage.h"

class QLabel;

namespace Regmaven {

class TfmConnectDevice : public TParamPage {
    Q_OBJECT
public:
    // The oldest driver the wizard works with.
    static constexpr int MinVersion[4] = {4, 13, 0, 594};

    TfmConnectDevice();
    void Next() override;

    QLabel* lblText;
    QLabel* lblInfo;

protected:
    void FormShow() override;
};

} // namespace Regmaven
