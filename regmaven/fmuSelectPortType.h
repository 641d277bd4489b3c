#pragma once
// TfmSelectPortType: page "Выберите тип подключения к ККТ".
#include "regmaven/ParamPage.h"

namespace Regmaven {

class TfmSelectPortType : public TParamPage {
    Q_OBJECT
public:
    TfmSelectPortType();
    void Next() override;
};

} // namespace Regmaven
