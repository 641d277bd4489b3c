#pragma once
// TfmPrintOperations: the page "Операции": feeding, continued printing, the
// test run, cutting and the control tape.
#include "core/pages/untPages.h"

class QCheckBox;
class QComboBox;
class QPushButton;
class QSpinBox;

class TfmPrintOperations : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Операции";
    explicit TfmPrintOperations(QWidget* owner = nullptr);

    QCheckBox* chbUseReceiptRibbon2;
    QCheckBox* chbUseJournalRibbon2;
    QCheckBox* chkUseSlipDocument;
    QSpinBox* seStringQuantity;
    QSpinBox* sePeriod;
    QComboBox* cbCutType;
    QComboBox* cbJrnOperationType;

    QPushButton* btnFeedDocument;
    QPushButton* btnContinuePrint;
    QPushButton* btnStartTechTest;
    QPushButton* btnStopTechTest;
    QPushButton* btnCutCheck;
    QPushButton* btnJournalOperation;

    void btnFeedDocumentClick();
    void btnContinuePrintClick();
    void btnStartTechTestClick();
    void btnStopTechTestClick();
    void btnCutCheckClick();
    void btnJournalOperationClick();
};
