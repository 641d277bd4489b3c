#pragma once
// TfmEnterSerial: page "Введите заводской номер".
#include "regmaven/ParamPage.h"

namespace Regmaven {

class TfmEnterSerial : public TParamPage {
    Q_OBJECT
public:
    TfmEnterSerial();
    void Next() override;
};

} // namespace Regmaven
