#pragma once
// TfmPresenter: the page "Презентер": the receipt outputs of the presenter,
// its shutter and its paper sensors.
#include "core/pages/untPages.h"

class QPlainTextEdit;

class TfmPresenter : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Презентер";
    explicit TfmPresenter(QWidget* owner = nullptr);

    QPlainTextEdit* Memo;

    void btnOutputReceipt0Click();
    void btnOutputReceipt1Click();
    void btnOutputReceipt2Click();
    void btnOpenScreenClick();
    void btnCloseScreenClick();
    void btnGetECRStatusClick();

private:
    void OutputReceipt(int Type);
};
