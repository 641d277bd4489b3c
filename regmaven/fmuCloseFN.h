#pragma once
// TfmCloseFN: page "Закрытие архива ФН": closes the FN archive when shown
// and tells how that went; in X5 mode it offers the close report as an X5 file.
#include "regmaven/ParamPage.h"
#include "regmaven/untX5.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace Regmaven {

class TfmCloseFN : public TParamPage {
    Q_OBJECT
public:
    TfmCloseFN();
    void Next() override;

    QLabel* lblStatus;
    QLabel* lblX5FactoryCode;
    QLineEdit* edtX5FactoryCode;
    QPushButton* btnSaveX5;
    // The close report, filled after a successful close in X5 mode.
    TX5CloseFNRec FX5Params;

    void btnSaveX5Click();

protected:
    void FormShow() override;

private:
    void ReadX5Params();
    void ShowX5Controls(bool Value);
};

} // namespace Regmaven
