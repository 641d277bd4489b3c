#pragma once
// TfmTestReceipt: the page "Тестовый чек": one legacy receipt of a chosen
// number of sales, each followed by a chosen number of text lines. The port
// is held for the whole receipt; a receipt still open is cancelled first.
#include "core/pages/untPages.h"
#include "pages/receipts/ReceiptRun.h"

class QPushButton;
class QSpinBox;

class TfmTestReceipt : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Тестовый чек";
    explicit TfmTestReceipt(QWidget* owner = nullptr);

    QSpinBox* seSaleCount;
    QSpinBox* seLineCount;
    QPushButton* btnTestReceipt;

    void btnTestReceiptClick();

    // Calls a busy register gets before the receipt gives up.
    int BusyTries = TReceiptRetry::BoundedTries;
};
