#include "pages/receipts/fmuPrintHeader.h"

#include "core/driver/untDriver.h"
#include "platform/ui/FormBuilder.h"

TfmPrintHeader::TfmPrintHeader(QWidget* owner) : TPage(owner, "fmPrintHeader", PageCaption)
{
    TFormBuilder<TfmPrintHeader> page(this, nullptr, true);
    auto inputs = page.Section();
    inputs.Edit(NAMED(edtDocumentName), "Заголовок:", "Заголовок документа", "DocumentName");
    inputs.Spin(NAMED(seDocumentNumber), "Номер документа:", 0, 9999, 0, "DocumentNumber");
    inputs.Edit(NAMED(edtOpenDocumentNumber), "Сквозной номер:", {}, "OpenDocumentNumber")->setReadOnly(true);
    inputs.Check(NAMED(chkFinishDocumentMode), "С рекламным текстом", true, "FinishDocumentMode");
    inputs.Space();
    using T = TfmPrintHeader;
    page.Buttons(4, {
        {NAMED(btnPrintDocumentTitle), "Печать заголовка", &T::btnPrintDocumentTitleClick, "PrintDocumentTitle"},
        {NAMED(btnPrintCliche), "Печать клише", &T::btnPrintClicheClick, "PrintCliche"},
        {NAMED(btnPrintTrailer), "Печать рекламного текста", &T::btnPrintTrailerClick, "PrintTrailer"},
        {NAMED(btnFinishDocument), "Конец документа", &T::btnFinishDocumentClick, "FinishDocument"},
    });
    page.Space();
}

void TfmPrintHeader::btnPrintDocumentTitleClick()
{
    Driver().setDocumentNumber(seDocumentNumber->value());
    Driver().setDocumentName(edtDocumentName->text());
    if (Driver().PrintDocumentTitle() == 0)
        edtOpenDocumentNumber->setText(QString::number(Driver().OpenDocumentNumber()));
    else
        edtOpenDocumentNumber->clear();
}

void TfmPrintHeader::btnPrintClicheClick()
{
    Driver().PrintCliche();
}

void TfmPrintHeader::btnPrintTrailerClick()
{
    Driver().PrintTrailer();
}

void TfmPrintHeader::btnFinishDocumentClick()
{
    Driver().setFinishDocumentMode(chkFinishDocumentMode->isChecked() ? 1 : 0);
    Driver().FinishDocument();
}
