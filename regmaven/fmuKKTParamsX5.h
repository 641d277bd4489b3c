#pragma once
// TfmKKTParamsX5: page "Сохранить параметры ФР (X5)": the register's
// parameters go out as an X5 file.
#include "regmaven/ParamPage.h"

class QComboBox;
class QLineEdit;

namespace Regmaven {

class TfmKKTParamsX5 : public TParamPage {
    Q_OBJECT
public:
    TfmKKTParamsX5();
    void Next() override;

    QLineEdit* edtFactoryCode;
    QLineEdit* edtAutomatNumber;
    QComboBox* cbbModelFN;
};

} // namespace Regmaven
