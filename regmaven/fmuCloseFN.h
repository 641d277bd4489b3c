#pragma once
// TfmCloseFN: page "Закрытие архива ФН": closes the FN archive when shown
// and tells how that went.
#include "regmaven/ParamPage.h"

class QLabel;

namespace Regmaven {

class TfmCloseFN : public TParamPage {
    Q_OBJECT
public:
    TfmCloseFN();
    void Next() override;

    QLabel* lblStatus;

protected:
    void FormShow() override;
};

} // namespace Regmaven
