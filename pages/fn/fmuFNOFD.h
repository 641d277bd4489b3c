#pragma once
// TfmFNOFD: "ОФД", the FN's information exchange with the fiscal data
// operator: the exchange status (plain and extended with the register's OFD
// log, network parameters and the Tallisk service), unconfirmed documents,
// the OFD ticket and the operator confirmation of a document, and the
// marking-notification exchange. The memo can be printed and saved.
#include "core/pages/MemoReport.h"
#include "core/pages/untPages.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// "0, Нет ошибок" for Flag 0; else Code and its text.
QString OFDErrorToStr(int Flag, int Code);

class TfmFNOFD : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "ОФД";
    explicit TfmFNOFD(QWidget* owner = nullptr);

    QLineEdit* edtDocumentNumber;
    QPlainTextEdit* Memo;
    QPushButton* btnFNGetInfoExchangeStatus;
    QPushButton* btnFNGetUnconfirmedDocCount;
    QPushButton* btnFNGetOFDTicketByDocNumber;
    QPushButton* btnFNPrintOperatorConfirm;
    QPushButton* btnFNGetKMServerExchangeStatus;
    QPushButton* btnFNGetInfoExchangeStatusEx;
    QPushButton* btnPrint;
    QPushButton* btnSaveAs;

private:
    void btnFNGetInfoExchangeStatusClick();
    void btnFNGetUnconfirmedDocCountClick();
    void btnFNGetOFDTicketByDocNumberClick();
    void btnFNPrintOperatorConfirmClick();
    void btnFNGetKMServerExchangeStatusClick();
    void btnFNGetInfoExchangeStatusExClick();
    void btnPrintClick();
    void btnSaveAsClick();

    void AddInfoExchangeStatus();
    // The register's OFD log, exchange and network parameters and the
    // Tallisk service, after the exchange status.
    void AddExchangeDetails();

    TMemoReport FReport;
};
