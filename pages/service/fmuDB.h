#pragma once
// TfmDB: the page "БД чеков": one document of the driver's receipt database
// by its number, shown or printed.
#include "core/pages/untPages.h"

class QLineEdit;
class QPlainTextEdit;

class TfmDB : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "БД чеков";
    explicit TfmDB(QWidget* owner = nullptr);

    QLineEdit* edtDocumentNumber;
    QLineEdit* edtSerialNumber;
    QLineEdit* edtDBFilePath;
    QLineEdit* edtFiscalSign;
    QLineEdit* edtDateTime;
    QLineEdit* edtSessionNumber;
    QLineEdit* edtSumm;
    QPlainTextEdit* Memo;

    void btnDBFindDocumentClick();
    void btnDBFindDocumentDBPrintDocumentClick();

private:
    // Empties the results and sets the three inputs (a number that is no
    // integer raises the conversion error first).
    void Prepare();
    void ShowSignAndDate();
};
