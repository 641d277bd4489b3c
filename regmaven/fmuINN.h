#pragma once
// TfmINN: page "Введите ИНН и РНМ ККТ".
#include "regmaven/ParamPage.h"

class QLabel;
class QLineEdit;

namespace Regmaven {

class TfmINN : public TParamPage {
    Q_OBJECT
public:
    TfmINN();
    void Next() override;

    QLineEdit* edtINN;
    QLineEdit* edtRNM;
    QLabel* lblInfo;

protected:
    void FormShow() override;
};

} // namespace Regmaven
