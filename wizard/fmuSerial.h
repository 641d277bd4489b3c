#pragma once
// TfmEnterSerial: page "Введите заводской номер".
#include "wizard/ParamPage.h"

namespace Regmaven {

class TfmEnterSerial : public TParamPage {
    Q_OBJECT
public:
    TfmEnterSerial();
    void Next() override;
};

} // namespace Regmaven
