#pragma once
// TfmINN: page "Введите ИНН и РНМ ККТ".
#include "regmaven/ParamPage.h"

namespace Regmaven {

class TfmINN : public TParamPage {
    Q_OBJECT
public:
    TfmINN();
    void Next() override;
};

} // namespace Regmaven
