#pragma once
// TfmCashTotalizer: the page "Денежные регистры": all cash registers, the
// extended registers (K) and the FN counter synchronisation.
#include "core/pages/untPages.h"
#include "pages/receipts/RegisterReader.h"

class QPlainTextEdit;
class QPushButton;

class TfmCashTotalizer : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Денежные регистры";
    explicit TfmCashTotalizer(QWidget* owner = nullptr);

    QPlainTextEdit* Memo;
    QPushButton* btnStop;

    void btnReadAllClick();
    void btnReadExCashRegClick();
    void btnReadFNCountersClick();
    void btnStopClick();

    // The extended registers whose content is a count, not an amount.
    static bool IsCountRegister(int Number);

private:
    TRegisterReader FReader;
};
