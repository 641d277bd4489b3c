#pragma once
// TfmSelectClientType: page "Выберите тип работы".
#include "regmaven/ParamPage.h"

namespace Regmaven {

class TfmSelectClientType : public TParamPage {
    Q_OBJECT
public:
    TfmSelectClientType();
    void Next() override;
};

} // namespace Regmaven
