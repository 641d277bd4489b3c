#pragma once
// TfmSelectNetType: page "Выберите тип подключения к ОФД".
#include "regmaven/ParamPage.h"

namespace Regmaven {

class TfmSelectNetType : public TParamPage {
    Q_OBJECT
public:
    TfmSelectNetType();
    void Next() override;
};

} // namespace Regmaven
