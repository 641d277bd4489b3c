#pragma once
// TfmFiscalizationBefore: page "Регистрация ККТ": what will be registered;
// its Next runs the registration sequence.
#include "regmaven/ParamPage.h"
#include "regmaven/slip.h"
#include "regmaven/untRegParams.h"

class QLabel;
class QPlainTextEdit;

namespace Regmaven {

// Writes the registration data into the register's tables and has its FN
// build the registration or re-registration report. First the FN's phase,
// every table field and every value are checked: a refusal writes nothing.
// Any failure from the report's begin on cancels the FN document and raises
// again.
void Fiscalize(const TRegParams& Params);

class TfmFiscalizationBefore : public TParamPage {
    Q_OBJECT
public:
    TfmFiscalizationBefore();
    void Next() override;

    QLabel* lbl1;
    QPlainTextEdit* Memo;

protected:
    void FormShow() override;

private:
    TSlip FSlip;
};

} // namespace Regmaven
