#pragma once
// TfmFiscalizationInfo: page "Печать чека о фискализации": the register's
// last registration as the registration report, to print or to save.
#include "regmaven/ParamPage.h"
#include "regmaven/slip.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace Regmaven {

class TfmFiscalizationInfo : public TParamPage {
    Q_OBJECT
public:
    TfmFiscalizationInfo();
    void Next() override;

    void btnPrintReceiptClick();
    void btnSaveClick();

    QLabel* lbl1;
    QPlainTextEdit* Memo;
    QPushButton* btnPrintReceipt;
    QPushButton* btnSave;

protected:
    void FormShow() override;

private:
    // Reads the register's last registration into the registration data.
    void ReadResult();
    TSlip FSlip;
};

} // namespace Regmaven
