#pragma once
// TfmOpenRegParamsX5: page "Открыть файл с парметрами (X5)": the
// registration data come in from an X5 file.
#include "regmaven/ParamPage.h"
#include "regmaven/untRegParams.h"

namespace Regmaven {

class TfmOpenRegParamsX5 : public TParamPage {
    Q_OBJECT
public:
    TfmOpenRegParamsX5();
    void Next() override;

private:
    // Raises for an INN or a missing registration number of the file; false
    // when the user cancels the question about a registration number that
    // does not fit this register.
    static bool CheckLoadedNumbers(const TRegParams& p);
};

} // namespace Regmaven
