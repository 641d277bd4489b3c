#include "pages/service/fmuDB.h"

#include "core/driver/untDriver.h"
#include "core/pages/MemoReport.h"
#include "core/support/Format.h"
#include "core/support/SysUtils.h"
#include "pages/service/DBFields.h"

TfmDB::TfmDB(QWidget* owner) : TPage(owner, "fmDB", PageCaption)
{
    TFormBuilder<TfmDB> page(this);
    auto top = page.Columns();
    auto inputs = top.Section();
    inputs.Edit(NAMED(edtDocumentNumber), "Номер ФД:", "0", "DocumentNumber");
    AddDBFields(inputs, edtSerialNumber, edtDBFilePath);
    auto results = top.Section();
    results.Edit(NAMED(edtFiscalSign), "ФП документа:", {}, "FiscalSignAsString")->setReadOnly(true);
    results.Edit(NAMED(edtDateTime), "Дата и время ФД:", {}, "Date")->setReadOnly(true);
    results.Edit(NAMED(edtSessionNumber), "Номер смены:", {}, "SessionNumber")->setReadOnly(true);
    results.Edit(NAMED(edtSumm), "Сумма чека:", {}, "Summ1")->setReadOnly(true);
    using T = TfmDB;
    top.Buttons(2, {
        {"btnDBFindDocument", "Найти документ", &T::btnDBFindDocumentClick, "DBFindDocument"},
        {"btnDBFindDocumentDBPrintDocument", "Найти и распечатать документ", &T::btnDBFindDocumentDBPrintDocumentClick,
         "DBPrintDocument"},
    });
    page.Label("lblText", "Текст документа:");
    ReportMemo(page.Memo(NAMED(Memo), true, "StringForPrinting"));
}

void TfmDB::Prepare()
{
    for (QLineEdit* edit : {edtFiscalSign, edtDateTime, edtSessionNumber, edtSumm})
        edit->clear();
    Memo->clear();
    TDriver& d = Driver();
    d.setDocumentNumber(StrToInt(edtDocumentNumber->text()));
    d.setDBFilePath(edtDBFilePath->text());
    d.setSerialNumber(edtSerialNumber->text());
}

void TfmDB::ShowSignAndDate()
{
    TDriver& d = Driver();
    edtFiscalSign->setText(d.FiscalSignAsString());
    edtDateTime->setText(DateTimeToStr(DateTimeToQDateTime(d.Date() + d.Time())));
}

void TfmDB::btnDBFindDocumentClick()
{
    Prepare();
    TDriver& d = Driver();
    if (d.DBFindDocument() != 0)
        return;
    ShowSignAndDate();
    edtSessionNumber->setText(QString::number(d.SessionNumber()));
    edtSumm->setText(CurrToStr(d.Summ1()));
    Memo->setPlainText(d.StringForPrinting());
}

void TfmDB::btnDBFindDocumentDBPrintDocumentClick()
{
    Prepare();
    if (Driver().DBPrintDocument() != 0)
        return;
    ShowSignAndDate();
}
