#include "pages/receipts/fmuWares.h"

#include "core/driver/untDriver.h"
#include "core/pages/MemoReport.h"
#include "core/support/Format.h"
#include "core/support/SysUtils.h"
#include "platform/ui/FormBuilder.h"

TfmWares::TfmWares(QWidget* owner) : TPage(owner, "fmWares", PageCaption)
{
    const QStringList taxes{"нет", "1 группа", "2 группа", "3 группа", "4 группа"};
    const char* const tax[][2] = {{"cbTax1", "Tax1"}, {"cbTax2", "Tax2"}, {"cbTax3", "Tax3"}, {"cbTax4", "Tax4"}};

    // The ware's fields and the buttons beside them, the registers below.
    TFormBuilder<TfmWares> page(this);
    auto top = page.Columns();
    auto fields = top.Section();
    fields.Edit(NAMED(edtWareCode), "Код товара:", "1", "WareCode");
    fields.Edit(NAMED(edtPrice), "Цена:", "0", "Price");
    fields.Spin(NAMED(edtDepartment), "Отдел:", 0, 16, 1, "Department");
    for (std::size_t i = 0; i < 4; ++i)
        fields.Combo({&cbTax[i], tax[i][0]}, QStringLiteral("Налог %1:").arg(i + 1), taxes, 0, tax[i][1]);
    fields.Edit(NAMED(edtStringForPrinting), "Текст:", {}, "StringForPrinting");
    using T = TfmWares;
    top.Buttons(4, {
        {"btnReadWare", "Считать товар из базы товаров", &T::btnReadWareClick, "ReadWare"},
        {"btnUpdateWare", "Обновить товар в базе товаров", &T::btnUpdateWareClick, "UpdateWare"},
        {"btnDeleteWare", "Удалить товар", &T::btnDeleteWareClick, "RemoveWare"},
        {"btnGetWareBaseCashRegs", "Прочитать регистры", &T::btnGetWareBaseCashRegsClick, "GetWareBaseCashRegs"},
    });
    ReportMemo(page.Memo(NAMED(memOut), true));
}

void TfmWares::btnReadWareClick()
{
    TDriver& d = Driver();
    d.setWareCode(StrToInt(edtWareCode->text()));
    if (d.ReadWare() != 0)
        return;
    edtDepartment->setValue(d.Department());
    edtPrice->setText(d.AmountToStr(d.Price()));
    edtStringForPrinting->setText(d.StringForPrinting());
    const int32_t taxes[] = {d.Tax1(), d.Tax2(), d.Tax3(), d.Tax4()};
    for (std::size_t i = 0; i < 4; ++i)
        cbTax[i]->setCurrentIndex(taxes[i]);
}

void TfmWares::btnUpdateWareClick()
{
    // Every text is read before the driver is called: a bad one changes nothing.
    const int32_t code = StrToInt(edtWareCode->text());
    const Currency price = DoubleToCurrency(StrToFloat(edtPrice->text()));
    TDriver& d = Driver();
    d.setWareCode(code);
    d.setDepartment(edtDepartment->value());
    d.setPrice(price);
    d.setStringForPrinting(edtStringForPrinting->text());
    d.setTax1(cbTax[0]->currentIndex());
    d.setTax2(cbTax[1]->currentIndex());
    d.setTax3(cbTax[2]->currentIndex());
    d.setTax4(cbTax[3]->currentIndex());
    d.UpdateWare();
}

void TfmWares::btnDeleteWareClick()
{
    TDriver& d = Driver();
    d.setWareCode(StrToInt(edtWareCode->text()));
    d.RemoveWare();
}

void TfmWares::btnGetWareBaseCashRegsClick()
{
    memOut->clear();
    TDriver& d = Driver();
    d.setWareCode(StrToInt(edtWareCode->text()));
    if (d.GetWareBaseCashRegs() != 0)
        return;
    memOut->appendPlainText(Format(QStringLiteral("%s: %d"), {"Запрос денежных регистров по коду товара", d.WareCode()}));
    memOut->appendPlainText(QString());
    const std::pair<const char*, Currency> lines[] = {
        {"Регистр продаж по данному товару в чеке", d.RegSaleRec()},
        {"Регистр покупок по данному товару в чеке", d.RegBuyRec()},
        {"Регистр возврата продаж по данному товару в чеке", d.RegSaleReturnRec()},
        {"Регистр возврата покупок по данному товару в чеке", d.RegBuyReturnRec()},
        {"Регистр продаж по данному товару за смену", d.RegSaleSession()},
        {"Регистр покупок по данному товару за смену", d.RegBuySession()},
        {"Регистр возврата продаж по данному товару за смену", d.RegSaleReturnSession()},
        {"Регистр возврата покупок по данному товару за смену", d.RegBuyReturnSession()},
    };
    for (const auto& [name, value] : lines)
        memOut->appendPlainText(Format(QStringLiteral("%s: %.2f"), {name, CurrencyToDouble(value)}));
}
