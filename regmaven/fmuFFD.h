#pragma once
// TfmFFD: page "Версия ФФД": FFD 1.05 or 1.2, with a question when the
// firmware is unlikely to take FFD 1.2.
#include "regmaven/ParamPage.h"

class QComboBox;

namespace Regmaven {

class TfmFFD : public TParamPage {
    Q_OBJECT
public:
    TfmFFD();
    void Next() override;

    QComboBox* cbbFFD;

protected:
    void FormShow() override;
};

} // namespace Regmaven
