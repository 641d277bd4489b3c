#pragma once
// TfmFFD: page "Версия ФФД".
#include "regmaven/ParamPage.h"

namespace Regmaven {

class TfmFFD : public TParamPage {
    Q_OBJECT
public:
    TfmFFD();
    void Next() override;
};

} // namespace Regmaven
