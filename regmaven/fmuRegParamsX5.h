#pragma once
// TfmRegParamsX5: page "Параметры регистрации (X5)": the cashier, the tax
// service's site, the sender's address, the FFD and the re-registration reason.
#include "regmaven/ParamPage.h"

class QComboBox;
class QLineEdit;

namespace Regmaven {

class TfmRegParamsX5 : public TParamPage {
    Q_OBJECT
public:
    TfmRegParamsX5();
    void Next() override;

    QLineEdit* edtCashierName;
    QLineEdit* edtCashierPosition;
    QLineEdit* edtCashierINN;
    QLineEdit* edtFNSSite;
    QLineEdit* edtSenderEmail;
    QComboBox* cbbFFD;
    QComboBox* cbbReasonCode;

protected:
    void FormShow() override;
};

} // namespace Regmaven
