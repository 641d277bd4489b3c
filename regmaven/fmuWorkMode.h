#pragma once
// TfmWorkMode: page "Тип налогообложения и режим работы ККТ".
#include "regmaven/ParamPage.h"

namespace Regmaven {

class TfmWorkMode : public TParamPage {
    Q_OBJECT
public:
    TfmWorkMode();
    void Next() override;
};

} // namespace Regmaven
