#include "pages/receipts/fmuTotalizers.h"

#include "core/driver/untDriver.h"
#include "platform/ui/FormBuilder.h"

TfmTotalizers::TfmTotalizers(QWidget* owner) : TPage(owner, "fmTotalizers", PageCaption)
{
    TFormBuilder<TfmTotalizers> page(this);
    page.Spin(NAMED(seRegisterNumber), "Номер регистра:", 0, 0xFFFF, 0, "RegisterNumber");
    page.Edit(NAMED(edtRegName), "Название регистра:")->setReadOnly(true);
    page.Edit(NAMED(edtRegContent), "Содержимое регистра:")->setReadOnly(true);
    using T = TfmTotalizers;
    page.Buttons(3, {
        {"btnGetOperationReg", "Операционный регистр", &T::btnGetOperationRegClick, "GetOperationReg"},
        {"btnGetCashReg", "Денежный регистр", &T::btnGetCashRegClick, "GetCashReg"},
        {"btnGetCashRegEx", "Денежный регистр (K)", &T::btnGetCashRegExClick, "GetCashRegEx"},
    });
}

void TfmTotalizers::ShowRegister(int32_t Code, const QString& Name, const QString& Content)
{
    edtRegName->setText(Code == 0 ? Name : QString());
    edtRegContent->setText(Code == 0 ? Content : QString());
}

void TfmTotalizers::btnGetOperationRegClick()
{
    TDriver& d = Driver();
    d.setRegisterNumber(seRegisterNumber->value());
    const int32_t code = d.GetOperationReg();
    // The count n shown as the amount n.
    ShowRegister(code, d.NameOperationReg(), code ? QString() : d.AmountToStr(Currency(d.ContentsOfOperationRegister()) * 10000));
}

void TfmTotalizers::btnGetCashRegClick()
{
    TDriver& d = Driver();
    d.setRegisterNumber(seRegisterNumber->value());
    const int32_t code = d.GetCashReg();
    ShowRegister(code, d.NameCashReg(), code ? QString() : d.AmountToStr(d.ContentsOfCashRegister()));
}

void TfmTotalizers::btnGetCashRegExClick()
{
    TDriver& d = Driver();
    d.setRegisterNumber(seRegisterNumber->value());
    const int32_t code = d.GetCashRegEx();
    ShowRegister(code, d.NameCashRegEx(), code ? QString() : d.AmountToStr(d.ContentsOfCashRegister()));
}
