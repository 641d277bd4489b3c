#pragma once
// TfmOpenRegParamsX5: page "Открыть файл с парметрами (X5)": the
// registration data come in from an X5 file.
#include "regmaven/ParamPage.h"

namespace Regmaven {

class TfmOpenRegParamsX5 : public TParamPage {
    Q_OBJECT
public:
    TfmOpenRegParamsX5();
    void Next() override;
};

} // namespace Regmaven
