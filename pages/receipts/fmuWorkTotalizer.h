#pragma once
// TfmWorkTotalizer: the page "Операционные регистры": all operation
// registers into the memo, the 16-bit pairs with their 32-bit total.
#include "core/pages/untPages.h"
#include "pages/receipts/RegisterReader.h"

class QPlainTextEdit;
class QPushButton;

class TfmWorkTotalizer : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Операционные регистры";
    explicit TfmWorkTotalizer(QWidget* owner = nullptr);

    QPlainTextEdit* Memo;
    QPushButton* btnStop;

    void btnReadAllClick();
    void btnStopClick();

private:
    TRegisterReader FReader;
};
