#include "pages/receipts/fmuReceipt.h"

#include "core/driver/untDriver.h"
#include "platform/ui/EditLimit.h"
#include "platform/ui/FormBuilder.h"
#include "core/settings/ResStrings.h"
#include "core/support/SysUtils.h"
#include "core/support/untUtil.h"
#include "pages/fn/DriverSumms.h"
#include "pages/receipts/fmuExpayments2.h"

#include <QAbstractItemView>

namespace {
using TTaxSetter = void (TOrvek::*)(const std::int32_t&);
const TTaxSetter TaxSetters[] = {&TOrvek::setTax1, &TOrvek::setTax2, &TOrvek::setTax3, &TOrvek::setTax4};

// A combo box narrower than its longest item; its list is wide enough.
void AllowNarrow(QComboBox* combo)
{
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(6);
    SetComboDropDownWidth(combo);
}

} // namespace

TfmReceipt::TfmReceipt(QWidget* owner) : TPage(owner, "fmReceipt", PageCaption)
{
    const QStringList taxes{"нет", "1 группа", "2 группа", "3 группа", "4 группа", "5 группа", "6 группа"};
    const char* const tax[][2] = {{"cbTax1", "Tax1"}, {"cbTax2", "Tax2"}, {"cbTax3", "Tax3"}, {"cbTax4", "Tax4"}};
    const char* const summ[][2] = {{"edtSumm1", "Summ1"}, {"edtSumm2", "Summ2"}, {"edtSumm3", "Summ3"}, {"edtSumm4", "Summ4"}};

    // Item inputs, closing inputs and outputs, then two columns of buttons.
    TFormBuilder<TfmReceipt> page(this, nullptr, true);
    auto items = page.Section();
    page.Stretch();
    SetEditLimit(items.Edit(NAMED(edtPrice), "Цена:", "100", "Price"), 16);
    SetEditLimit(items.Edit(NAMED(edtQuantity), "Кол-во:", "1", "Quantity"), 25);
    items.Spin(NAMED(seDepartment), "Отдел:", 0, 0, 1, "Department");
    SetEditLimit(items.Edit(NAMED(edtName), "Название:", "Булка", "StringForPrinting"), 4096);
    items.Combo(NAMED(cbCheckType), "Тип:", {}, 0, "CheckType");
    for (std::size_t i = 0; i < 4; ++i)
        items.Combo({&cbTax[i], tax[i][0]}, QStringLiteral("Налог%1:").arg(i + 1), taxes, 0, tax[i][1]);
    items.Combo(NAMED(cbOperationType), "Операция:", {}, 0, "OperationType");
    items.Spin(NAMED(seExciseCode), "Акциз:", 0, 0, 1, "ExciseCode");
    items.Edit(NAMED(edtBarcode), "Штрихкод:", "0", "BarCode");
    items.Check(NAMED(cbUseWareCode), "Исп. код товара", false, "UseWareCode");
    items.Spin(NAMED(edtWareCode), "Код товара:", 0, 0, 1, "WareCode");
    items.Space();

    auto closing = page.Section();
    page.Stretch();
    for (std::size_t i = 0; i < 4; ++i)
        SetEditLimit(closing.Edit({&edtSumm[i], summ[i][0]}, QStringLiteral("Сумма%1:").arg(i + 1), "0", summ[i][1]),
                     16);
    SetEditLimit(closing.Edit(NAMED(edtDiscountOnCheck), "Скидка на чек,%", "0", "DiscountOnCheck"), 100);
    SetEditLimit(closing.Edit(NAMED(edtStringForPrint), "Строка:", "Строка для печати", "StringForPrinting"), 4096);
    closing.Combo(NAMED(cbNumber), "Исп. номер:", {"без номера", "№ ТРК", "№ счета"});
    closing.Spin(NAMED(seNumber), "Номер:", 0, 0, 1);
    SetEditLimit(closing.Edit(NAMED(edtDiscountValue), "Абс. скидка (Бел.):", "0", "DiscountValue"), 25);
    SetEditLimit(closing.Edit(NAMED(edtChargeValue), "Абс. надбавка (Бел.):", "0", "ChargeValue"), 25);
    closing.Edit(NAMED(edtCheckSubTotal), "Подытог:", {}, "Summ1")->setReadOnly(true);
    closing.Edit(NAMED(edtChange), "Сдача", {}, "Change")->setReadOnly(true);
    closing.Edit(NAMED(edtKPKStr), "КПК:", {}, "KPKStr")->setReadOnly(true);
    closing.Space();

    using T = TfmReceipt;
    page.Buttons(13, {
        {NAMED(btnSale), GetRes("Продажа"), &T::btnSaleClick, "Sale"},
        {NAMED(btnBuy), GetRes("Покупка"), &T::btnBuyClick, "Buy"},
        {NAMED(btnReturnSale), GetRes("Возврат продажи"), &T::btnReturnSaleClick, "ReturnSale"},
        {NAMED(btnReturnBuy), GetRes("Возврат покупки"), &T::btnReturnBuyClick, "ReturnBuy"},
        {NAMED(btnStorno), GetRes("Сторно"), &T::btnStornoClick, "Storno"},
        {NAMED(btnSaleEx), GetRes("Продажа (Точно)"), &T::btnSaleExClick, "SaleEx"},
        {NAMED(btnCharge), GetRes("Надбавка"), &T::btnChargeClick, "Charge"},
        {NAMED(btnStornoCharge), GetRes("Сторно надбавки"), &T::btnStornoChargeClick, "StornoCharge"},
        {NAMED(btnDiscount), GetRes("Скидка"), &T::btnDiscountClick, "Discount"},
        {NAMED(btnStornoDiscount), GetRes("Сторно скидки"), &T::btnStornoDiscountClick, "StornoDiscount"},
        {NAMED(btnCheckSubTotal), GetRes("Подытог чека"), &T::btnCheckSubTotalClick, "CheckSubTotal"},
        {NAMED(btnCashInCome), GetRes("Внесение"), &T::btnCashInComeClick, "CashIncome"},
        {NAMED(btnCashOutCome), GetRes("Выплата"), &T::btnCashOutComeClick, "CashOutcome"},
        {NAMED(btnOpenCheck), GetRes("Открыть чек"), &T::btnOpenCheckClick, "OpenCheck"},
        {NAMED(btnCloseCheck), GetRes("Закрыть чек"), &T::btnCloseCheckClick, "CloseCheck"},
        {NAMED(btnCloseCheckKPK), GetRes("Закр. чека c КПК"), &T::btnCloseCheckKPKClick, "CloseCheckWithKPK"},
        {NAMED(btnCloseCheckEx), GetRes("Закрыть чек расш."), &T::btnCloseCheckExClick, "CloseCheckEx"},
        {NAMED(btnCloseCheckBel), GetRes("Закрыть чек Бел."), &T::btnCloseCheckBelClick, "CloseCheckBel"},
        {NAMED(btnSysAdminCancelCheck), GetRes("Адм. отмена чека"), &T::btnSysAdminCancelCheckClick,
         "SysAdminCancelCheck"},
        {NAMED(btnCancelCheck), GetRes("Аннулировать"), &T::btnCancelCheckClick, "CancelCheck"},
        {NAMED(btnRepeatDocument), GetRes("Печать копии чека"), &T::btnRepeatDocumentClick, "RepeatDocument"},
        {NAMED(btnBeep), GetRes("Гудок"), &T::btnBeepClick, "Beep"},
        {NAMED(btnContinuePrint), GetRes("Продолжить печать"), &T::btnContinuePrintClick, "ContinuePrint"},
        {NAMED(btnExciseOperation), GetRes("Подакцизн. операция"), &T::btnExciseOperationClick, "ExcisableOperation"},
        {NAMED(btnSummEx), GetRes("Сумма5 – Сумма16..."), &T::btnSummExClick, {}, TRun::Plain},
    });

    // FormCreate.
    FillCheckTypes();
    FillOperationTypes();
    for (QComboBox* combo : findChildren<QComboBox*>())
        AllowNarrow(combo);
    cbNumber->setCurrentIndex(0);
    cbNumberChange();
    connect(cbNumber, &QComboBox::currentIndexChanged, this, Guarded(this, &TfmReceipt::cbNumberChange));
}

void TfmReceipt::FillCheckTypes()
{
    const std::pair<const char*, int> types[] = {
        {"Продажа", 0}, {"Покупка", 1}, {"Возврат продажи", 2}, {"Возврат покупки", 3}};
    for (const auto& [text, code] : types)
        cbCheckType->addItem(GetRes(text), code);
    cbCheckType->setCurrentIndex(0);
}

void TfmReceipt::FillOperationTypes()
{
    const std::pair<const char*, int> types[] = {
        {"Продажа", 0},          {"Покупка", 1},          {"Возврат продажи", 2},         {"Возврат покупки", 3},
        {"Сторно продажи", 16}, {"Сторно покупки", 17}, {"Сторно возврата продажи", 18}, {"Сторно возврата покупки", 19}};
    for (const auto& [text, code] : types)
        cbOperationType->addItem(GetRes(text), code);
    cbOperationType->setCurrentIndex(0);
}

// "без номера" leaves the number spin disabled; no operation reads the number.
void TfmReceipt::cbNumberChange()
{
    seNumber->setEnabled(cbNumber->currentIndex() != 0);
}

void TfmReceipt::UpdatePage()
{
    TPage::UpdatePage();
    if (!DriverExists() || Driver().ModelIndex() == 0)
        return;
    Driver().setModelParamNumber(31);
    if (Driver().ReadModelParamValue() != 0)
        return;
    const bool correction = StrToInt(Driver().ModelParamValue().toString()) == 3;
    btnStorno->setText(GetRes(correction ? "Коррекция" : "Сторно"));
    btnStornoCharge->setText(GetRes(correction ? "Коррекция надбавки" : "Сторно надбавки"));
    btnStornoDiscount->setText(GetRes(correction ? "Коррекция скидки" : "Сторно скидки"));
    btnCancelCheck->setText(GetRes(correction ? "Отменить чек" : "Аннулировать"));
}

void TfmReceipt::SetTaxes()
{
    for (int i = 0; i < 4; ++i)
        (Driver().*TaxSetters[i])(cbTax[std::size_t(i)]->currentIndex());
}

void TfmReceipt::SetParams()
{
    CheckIntStr(edtQuantity->text(), QStringLiteral("Количество"));
    Driver().setSumm1(GetSumm(edtSumm[0]->text(), QStringLiteral("Summ1")));
    Driver().setPrice(GetSumm(edtPrice->text(), QStringLiteral("Price")));
    Driver().setQuantity(StrToFloat(edtQuantity->text()));
    Driver().setDepartment(seDepartment->value());
    SetTaxes();
    Driver().setUseWareCode(cbUseWareCode->isChecked());
    Driver().setWareCode(edtWareCode->value());
    Driver().Connect();
    Driver().setStringForPrinting(edtName->text());
}

void TfmReceipt::ItemOperation(TMethod Method)
{
    SetParams();
    (Driver().*Method)();
}

void TfmReceipt::PlainOperation(TMethod Method)
{
    (Driver().*Method)();
}

void TfmReceipt::btnSaleClick() { ItemOperation(&TOrvek::Sale); }
void TfmReceipt::btnBuyClick() { ItemOperation(&TOrvek::Buy); }
void TfmReceipt::btnReturnSaleClick() { ItemOperation(&TOrvek::ReturnSale); }
void TfmReceipt::btnReturnBuyClick() { ItemOperation(&TOrvek::ReturnBuy); }
void TfmReceipt::btnStornoClick() { ItemOperation(&TOrvek::Storno); }
void TfmReceipt::btnSaleExClick() { ItemOperation(&TOrvek::SaleEx); }
void TfmReceipt::btnChargeClick() { ItemOperation(&TOrvek::Charge); }
void TfmReceipt::btnStornoChargeClick() { ItemOperation(&TOrvek::StornoCharge); }
void TfmReceipt::btnDiscountClick() { ItemOperation(&TOrvek::Discount); }
void TfmReceipt::btnStornoDiscountClick() { ItemOperation(&TOrvek::StornoDiscount); }
void TfmReceipt::btnRepeatDocumentClick() { PlainOperation(&TOrvek::RepeatDocument); }
void TfmReceipt::btnBeepClick() { PlainOperation(&TOrvek::Beep); }
void TfmReceipt::btnContinuePrintClick() { PlainOperation(&TOrvek::ContinuePrint); }

void TfmReceipt::btnCheckSubTotalClick()
{
    if (Driver().CheckSubTotal() == 0)
        edtCheckSubTotal->setText(Driver().AmountToStr(Driver().Summ1()));
    else
        edtCheckSubTotal->clear();
}

void TfmReceipt::CashOperation(TMethod Method)
{
    CheckIntStr(edtSumm[0]->text(), QStringLiteral("Сумма 1"));
    Driver().setSumm1(GetSumm(edtSumm[0]->text(), QStringLiteral("Summ1")));
    (Driver().*Method)();
}

void TfmReceipt::btnCashInComeClick() { CashOperation(&TOrvek::CashIncome); }
void TfmReceipt::btnCashOutComeClick() { CashOperation(&TOrvek::CashOutcome); }

void TfmReceipt::btnOpenCheckClick()
{
    Driver().setCheckType(cbCheckType->currentData().toInt());
    Driver().OpenCheck();
}

void TfmReceipt::SetSumms()
{
    for (int n = 1; n <= 4; ++n)
        SetDriverSumm(n, GetSumm(edtSumm[std::size_t(n - 1)]->text(), QStringLiteral("Summ%1").arg(n)));
}

void TfmReceipt::CheckSummTexts()
{
    for (int n = 1; n <= 4; ++n)
        CheckIntStr(edtSumm[std::size_t(n - 1)]->text(), QStringLiteral("Сумма %1").arg(n));
    CheckIntStr(edtDiscountOnCheck->text(), QStringLiteral("Скидка на чек"));
}

void TfmReceipt::SetPlainCloseParams()
{
    SetTaxes();
    Driver().setDiscountOnCheck(StrToFloat(edtDiscountOnCheck->text()));
    Driver().setStringForPrinting(edtStringForPrint->text());
}

std::int32_t TfmReceipt::CloseOperation(TMethod Method)
{
    std::int32_t code = (Driver().*Method)();
    if (code == 0)
        edtChange->setText(Driver().AmountToStr(Driver().Change()));
    else
        edtChange->clear();
    return code;
}

void TfmReceipt::btnCloseCheckClick()
{
    CheckIntStr(edtDiscountOnCheck->text(), QStringLiteral("Скидка на чек"));
    SetSumms();
    SetPlainCloseParams();
    CloseOperation(&TOrvek::CloseCheck);
}

void TfmReceipt::btnCloseCheckKPKClick()
{
    CheckIntStr(edtDiscountOnCheck->text(), QStringLiteral("Скидка на чек"));
    SetSumms();
    SetPlainCloseParams();
    if (CloseOperation(&TOrvek::CloseCheckWithKPK) == 0)
        edtKPKStr->setText(Driver().KPKStr());
    else
        edtKPKStr->clear();
}

void TfmReceipt::UpdateExPayments()
{
    const TfmExPayments2& dialog = MadeForm(fmExPayments2);
    for (int n = 5; n <= 16; ++n)
        FSumm[std::size_t(n)] = dialog.Summ[std::size_t(n)];
}

void TfmReceipt::btnCloseCheckExClick()
{
    UpdateExPayments();
    CheckSummTexts();
    SetSumms();
    for (int n = 5; n <= 16; ++n)
        SetDriverSumm(n, FSumm[std::size_t(n)]);
    SetPlainCloseParams();
    CloseOperation(&TOrvek::CloseCheckEx);
}

void TfmReceipt::btnCloseCheckBelClick()
{
    CheckSummTexts();
    SetSumms();
    Driver().setDiscountValue(GetSumm(edtDiscountValue->text(), QStringLiteral("DiscountValue")));
    Driver().setChargeValue(GetSumm(edtChargeValue->text(), QStringLiteral("ChargeValue")));
    Driver().setDiscountOnCheck(StrToFloat(edtDiscountOnCheck->text()));
    CloseOperation(&TOrvek::CloseCheckBel);
}

void TfmReceipt::CancelOperation(TMethod Method)
{
    (Driver().*Method)();
    Driver().setOperationBlockFirstString(0);
}

void TfmReceipt::btnSysAdminCancelCheckClick() { CancelOperation(&TOrvek::SysAdminCancelCheck); }
void TfmReceipt::btnCancelCheckClick() { CancelOperation(&TOrvek::CancelCheck); }

void TfmReceipt::btnExciseOperationClick()
{
    CheckIntStr(edtPrice->text(), QStringLiteral("Цена"));
    Driver().setOperationType(cbOperationType->currentData().toInt());
    Driver().setExciseCode(seExciseCode->value());
    Driver().setDepartment(seDepartment->value());
    Driver().setPrice(GetSumm(edtPrice->text(), QStringLiteral("Price")));
    SetTaxes();
    Driver().setStringForPrinting(edtStringForPrint->text());
    Driver().setBarCode(edtBarcode->text());
    Driver().ExcisableOperation();
}

void TfmReceipt::btnSummExClick()
{
    MadeForm(fmExPayments2).ShowModal();
}
