#pragma once
// TfmBeforeCloseFN: page "Закрытие архива ФН": the cashier who closes the
// FN archive, written into table 2 before the close.
#include "regmaven/ParamPage.h"

class QLineEdit;

namespace Regmaven {

class TfmBeforeCloseFN : public TParamPage {
    Q_OBJECT
public:
    TfmBeforeCloseFN();
    void Next() override;

    QLineEdit* edtCashier;
};

} // namespace Regmaven
