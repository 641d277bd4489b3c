#pragma once
// TfmUserParams: page "Настройки места установки ККТ": the user, operator,
// address, settlement place, sender e-mail and cashier INN.
#include "regmaven/ParamPage.h"

class QLineEdit;

namespace Regmaven {

class TfmUserParams : public TParamPage {
    Q_OBJECT
public:
    TfmUserParams();
    void Next() override;

    QLineEdit* edtUser;
    QLineEdit* edtOperator;
    QLineEdit* edtAddress;
    QLineEdit* edtPaymentPlace;
    QLineEdit* edtSenderEmail;
    QLineEdit* edtCashierINN;

protected:
    void FormShow() override;
};

} // namespace Regmaven
