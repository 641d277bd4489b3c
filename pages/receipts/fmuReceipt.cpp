#include "pages/receipts/fmuReceipt.h"

#include "core/driver/untDriver.h"
#include "core/pages/NamedControls.h"
#include "core/settings/ResStrings.h"
#include "core/support/SysUtils.h"
#include "core/support/untUtil.h"
#include "pages/receipts/fmuExpayments2.h"

#include <QAbstractItemView>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {
// The Summ5..Summ16 setters, by sum number.
using TSummSetter = void (TOrvek::*)(const Currency&);
const TSummSetter SummSetters[] = {
    nullptr,           &TOrvek::setSumm1,  &TOrvek::setSumm2,  &TOrvek::setSumm3,  &TOrvek::setSumm4,
    &TOrvek::setSumm5, &TOrvek::setSumm6,  &TOrvek::setSumm7,  &TOrvek::setSumm8,  &TOrvek::setSumm9,
    &TOrvek::setSumm10, &TOrvek::setSumm11, &TOrvek::setSumm12, &TOrvek::setSumm13, &TOrvek::setSumm14,
    &TOrvek::setSumm15, &TOrvek::setSumm16,
};
using TTaxSetter = void (TOrvek::*)(const std::int32_t&);
const TTaxSetter TaxSetters[] = {&TOrvek::setTax1, &TOrvek::setTax2, &TOrvek::setTax3, &TOrvek::setTax4};

// The drop-down list as wide as its widest item and 10 pixels more.
void SetComboDropDownWidth(QComboBox* combo)
{
    int width = 0;
    for (int i = 0; i < combo->count(); ++i)
        width = std::max(width, combo->view()->fontMetrics().horizontalAdvance(combo->itemText(i)));
    combo->view()->setMinimumWidth(width + 10);
}

// A combo box narrower than its longest item; its list is wide enough.
void AllowNarrow(QComboBox* combo)
{
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(6);
    SetComboDropDownWidth(combo);
}

void AddRow(QGridLayout* grid, QWidget* page, const QString& caption, QWidget* control)
{
    int row = grid->rowCount();
    auto* label = NewLabel(page, caption);
    label->setBuddy(control);
    control->setMinimumWidth(100);
    grid->addWidget(label, row, 0);
    grid->addWidget(control, row, 1);
}
} // namespace

TfmReceipt::TfmReceipt(QWidget* owner) : TPage(owner, "fmReceipt", QStringLiteral("Регистрация (устаревш.)"))
{
    QWidget* box = this;
    auto hint = [](QWidget* w, const char* member) { w->setToolTip(QLatin1String(member)); };
    QStringList taxes{QStringLiteral("нет")};
    for (int i = 1; i <= 6; ++i)
        taxes << QStringLiteral("%1 группа").arg(i);

    edtPrice = NewEdit(box, "edtPrice", QStringLiteral("100"), 16);
    hint(edtPrice, "Price");
    edtQuantity = NewEdit(box, "edtQuantity", QStringLiteral("1"), 25);
    hint(edtQuantity, "Quantity");
    seDepartment = NewSpinEdit(box, "seDepartment", 0, 0, 1);
    hint(seDepartment, "Department");
    edtName = NewEdit(box, "edtName", QStringLiteral("Булка"), 4096);
    hint(edtName, "StringForPrinting");
    cbCheckType = NewComboBox(box, "cbCheckType", {});
    hint(cbCheckType, "CheckType");
    const char* taxNames[] = {"cbTax1", "cbTax2", "cbTax3", "cbTax4"};
    const char* taxHints[] = {"Tax1", "Tax2", "Tax3", "Tax4"};
    for (int i = 0; i < 4; ++i) {
        cbTax[std::size_t(i)] = NewComboBox(box, taxNames[i], taxes);
        hint(cbTax[std::size_t(i)], taxHints[i]);
    }
    cbOperationType = NewComboBox(box, "cbOperationType", {});
    hint(cbOperationType, "OperationType");
    seExciseCode = NewSpinEdit(box, "seExciseCode", 0, 0, 1);
    hint(seExciseCode, "ExciseCode");
    edtBarcode = NewEdit(box, "edtBarcode", QStringLiteral("0"));
    hint(edtBarcode, "BarCode");
    cbUseWareCode = NewCheckBox(box, "cbUseWareCode", QStringLiteral("Исп. код товара"));
    hint(cbUseWareCode, "UseWareCode");
    edtWareCode = NewSpinEdit(box, "edtWareCode", 0, 0, 1);
    hint(edtWareCode, "WareCode");

    const char* summNames[] = {"edtSumm1", "edtSumm2", "edtSumm3", "edtSumm4"};
    const char* summHints[] = {"Summ1", "Summ2", "Summ3", "Summ4"};
    for (int i = 0; i < 4; ++i) {
        edtSumm[std::size_t(i)] = NewEdit(box, summNames[i], QStringLiteral("0"), 16);
        hint(edtSumm[std::size_t(i)], summHints[i]);
    }
    edtDiscountOnCheck = NewEdit(box, "edtDiscountOnCheck", QStringLiteral("0"), 100);
    hint(edtDiscountOnCheck, "DiscountOnCheck");
    edtStringForPrint = NewEdit(box, "edtStringForPrint", QStringLiteral("Строка для печати"), 4096);
    hint(edtStringForPrint, "StringForPrinting");
    cbNumber = NewComboBox(box, "cbNumber", {QStringLiteral("без номера"), QStringLiteral("№ ТРК"),
                                              QStringLiteral("№ счета")});
    seNumber = NewSpinEdit(box, "seNumber", 0, 0, 1);
    edtDiscountValue = NewEdit(box, "edtDiscountValue", QStringLiteral("0"), 25);
    hint(edtDiscountValue, "DiscountValue");
    edtChargeValue = NewEdit(box, "edtChargeValue", QStringLiteral("0"), 25);
    hint(edtChargeValue, "ChargeValue");
    edtCheckSubTotal = NewEdit(box, "edtCheckSubTotal");
    edtChange = NewEdit(box, "edtChange");
    edtKPKStr = NewEdit(box, "edtKPKStr");
    for (QLineEdit* out : {edtCheckSubTotal, edtChange, edtKPKStr})
        out->setReadOnly(true);
    hint(edtCheckSubTotal, "Summ1");
    hint(edtChange, "Change");
    hint(edtKPKStr, "KPKStr");

    auto* items = new QGridLayout;
    AddRow(items, box, QStringLiteral("Цена:"), edtPrice);
    AddRow(items, box, QStringLiteral("Кол-во:"), edtQuantity);
    AddRow(items, box, QStringLiteral("Отдел:"), seDepartment);
    AddRow(items, box, QStringLiteral("Название:"), edtName);
    AddRow(items, box, QStringLiteral("Тип:"), cbCheckType);
    for (int i = 0; i < 4; ++i)
        AddRow(items, box, QStringLiteral("Налог%1:").arg(i + 1), cbTax[std::size_t(i)]);
    AddRow(items, box, QStringLiteral("Операция:"), cbOperationType);
    AddRow(items, box, QStringLiteral("Акциз:"), seExciseCode);
    AddRow(items, box, QStringLiteral("Штрихкод:"), edtBarcode);
    items->addWidget(cbUseWareCode, items->rowCount(), 0, 1, 2);
    AddRow(items, box, QStringLiteral("Код товара:"), edtWareCode);
    items->setRowStretch(items->rowCount(), 1);

    auto* closing = new QGridLayout;
    for (int i = 0; i < 4; ++i)
        AddRow(closing, box, QStringLiteral("Сумма%1:").arg(i + 1), edtSumm[std::size_t(i)]);
    AddRow(closing, box, QStringLiteral("Скидка на чек,%"), edtDiscountOnCheck);
    AddRow(closing, box, QStringLiteral("Строка:"), edtStringForPrint);
    AddRow(closing, box, QStringLiteral("Исп. номер:"), cbNumber);
    AddRow(closing, box, QStringLiteral("Номер:"), seNumber);
    AddRow(closing, box, QStringLiteral("Абс. скидка (Бел.):"), edtDiscountValue);
    AddRow(closing, box, QStringLiteral("Абс. надбавка (Бел.):"), edtChargeValue);
    AddRow(closing, box, QStringLiteral("Подытог:"), edtCheckSubTotal);
    AddRow(closing, box, QStringLiteral("Сдача"), edtChange);
    AddRow(closing, box, QStringLiteral("КПК:"), edtKPKStr);
    closing->setRowStretch(closing->rowCount(), 1);

    auto* column1 = new QVBoxLayout;
    auto* column2 = new QVBoxLayout;
    auto button = [this, box](QVBoxLayout* column, const char* name, const QString& caption, auto handler,
                         const char* method) {
        QPushButton* b = NewButton(box, name, caption, this, handler, QLatin1String(method));
        column->addWidget(b);
        return b;
    };
    btnSale = button(column1, "btnSale", GetRes("Продажа"), &TfmReceipt::btnSaleClick, "Sale");
    btnBuy = button(column1, "btnBuy", GetRes("Покупка"), &TfmReceipt::btnBuyClick, "Buy");
    btnReturnSale = button(column1, "btnReturnSale", GetRes("Возврат продажи"), &TfmReceipt::btnReturnSaleClick,
                           "ReturnSale");
    btnReturnBuy = button(column1, "btnReturnBuy", GetRes("Возврат покупки"), &TfmReceipt::btnReturnBuyClick,
                          "ReturnBuy");
    btnStorno = button(column1, "btnStorno", GetRes("Сторно"), &TfmReceipt::btnStornoClick, "Storno");
    btnSaleEx = button(column1, "btnSaleEx", GetRes("Продажа (Точно)"), &TfmReceipt::btnSaleExClick, "SaleEx");
    btnCharge = button(column1, "btnCharge", GetRes("Надбавка"), &TfmReceipt::btnChargeClick, "Charge");
    btnStornoCharge = button(column1, "btnStornoCharge", GetRes("Сторно надбавки"),
                             &TfmReceipt::btnStornoChargeClick, "StornoCharge");
    btnDiscount = button(column1, "btnDiscount", GetRes("Скидка"), &TfmReceipt::btnDiscountClick, "Discount");
    btnStornoDiscount = button(column1, "btnStornoDiscount", GetRes("Сторно скидки"),
                               &TfmReceipt::btnStornoDiscountClick, "StornoDiscount");
    btnCheckSubTotal = button(column1, "btnCheckSubTotal", GetRes("Подытог чека"),
                              &TfmReceipt::btnCheckSubTotalClick, "CheckSubTotal");
    btnCashInCome = button(column1, "btnCashInCome", GetRes("Внесение"), &TfmReceipt::btnCashInComeClick,
                           "CashIncome");
    btnCashOutCome = button(column1, "btnCashOutCome", GetRes("Выплата"), &TfmReceipt::btnCashOutComeClick,
                            "CashOutcome");
    btnOpenCheck = button(column2, "btnOpenCheck", GetRes("Открыть чек"), &TfmReceipt::btnOpenCheckClick,
                          "OpenCheck");
    btnCloseCheck = button(column2, "btnCloseCheck", GetRes("Закрыть чек"), &TfmReceipt::btnCloseCheckClick,
                           "CloseCheck");
    btnCloseCheckKPK = button(column2, "btnCloseCheckKPK", GetRes("Закр. чека c КПК"),
                              &TfmReceipt::btnCloseCheckKPKClick, "CloseCheckWithKPK");
    btnCloseCheckEx = button(column2, "btnCloseCheckEx", GetRes("Закрыть чек расш."),
                             &TfmReceipt::btnCloseCheckExClick, "CloseCheckEx");
    btnCloseCheckBel = button(column2, "btnCloseCheckBel", GetRes("Закрыть чек Бел."),
                              &TfmReceipt::btnCloseCheckBelClick, "CloseCheckBel");
    btnSysAdminCancelCheck = button(column2, "btnSysAdminCancelCheck", GetRes("Адм. отмена чека"),
                                    &TfmReceipt::btnSysAdminCancelCheckClick, "SysAdminCancelCheck");
    btnCancelCheck = button(column2, "btnCancelCheck", GetRes("Аннулировать"), &TfmReceipt::btnCancelCheckClick,
                            "CancelCheck");
    btnRepeatDocument = button(column2, "btnRepeatDocument", GetRes("Печать копии чека"),
                               &TfmReceipt::btnRepeatDocumentClick, "RepeatDocument");
    btnBeep = button(column2, "btnBeep", GetRes("Гудок"), &TfmReceipt::btnBeepClick, "Beep");
    btnContinuePrint = button(column2, "btnContinuePrint", GetRes("Продолжить печать"),
                              &TfmReceipt::btnContinuePrintClick, "ContinuePrint");
    btnExciseOperation = button(column2, "btnExciseOperation", GetRes("Подакцизн. операция"),
                                &TfmReceipt::btnExciseOperationClick, "ExcisableOperation");
    btnSummEx = button(column2, "btnSummEx", GetRes("Сумма5 – Сумма16..."), &TfmReceipt::btnSummExClick, "");
    column1->addStretch();
    column2->addStretch();

    auto* layout = new QHBoxLayout(box);
    layout->addLayout(items, 1);
    layout->addLayout(closing, 1);
    layout->addLayout(column1);
    layout->addLayout(column2);

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
    TEnableButtonsFrame frame(this);
    SetParams();
    (Driver().*Method)();
}

void TfmReceipt::PlainOperation(TMethod Method)
{
    TEnableButtonsFrame frame(this);
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
    TEnableButtonsFrame frame(this);
    if (Driver().CheckSubTotal() == 0)
        edtCheckSubTotal->setText(Driver().AmountToStr(Driver().Summ1()));
    else
        edtCheckSubTotal->clear();
}

void TfmReceipt::CashOperation(TMethod Method)
{
    TEnableButtonsFrame frame(this);
    CheckIntStr(edtSumm[0]->text(), QStringLiteral("Сумма 1"));
    Driver().setSumm1(GetSumm(edtSumm[0]->text(), QStringLiteral("Summ1")));
    (Driver().*Method)();
}

void TfmReceipt::btnCashInComeClick() { CashOperation(&TOrvek::CashIncome); }
void TfmReceipt::btnCashOutComeClick() { CashOperation(&TOrvek::CashOutcome); }

void TfmReceipt::btnOpenCheckClick()
{
    TEnableButtonsFrame frame(this);
    Driver().setCheckType(cbCheckType->currentData().toInt());
    Driver().OpenCheck();
}

void TfmReceipt::SetSumms()
{
    for (int n = 1; n <= 4; ++n)
        (Driver().*SummSetters[n])(GetSumm(edtSumm[std::size_t(n - 1)]->text(), QStringLiteral("Summ%1").arg(n)));
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
    TEnableButtonsFrame frame(this);
    CheckIntStr(edtDiscountOnCheck->text(), QStringLiteral("Скидка на чек"));
    SetSumms();
    SetPlainCloseParams();
    CloseOperation(&TOrvek::CloseCheck);
}

void TfmReceipt::btnCloseCheckKPKClick()
{
    TEnableButtonsFrame frame(this);
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
    if (fmExPayments2)
        for (int n = 5; n <= 16; ++n)
            FSumm[std::size_t(n)] = fmExPayments2->Summ[std::size_t(n)];
}

void TfmReceipt::btnCloseCheckExClick()
{
    TEnableButtonsFrame frame(this);
    UpdateExPayments();
    CheckSummTexts();
    SetSumms();
    for (int n = 5; n <= 16; ++n)
        (Driver().*SummSetters[n])(FSumm[std::size_t(n)]);
    SetPlainCloseParams();
    CloseOperation(&TOrvek::CloseCheckEx);
}

void TfmReceipt::btnCloseCheckBelClick()
{
    TEnableButtonsFrame frame(this);
    CheckSummTexts();
    SetSumms();
    Driver().setDiscountValue(GetSumm(edtDiscountValue->text(), QStringLiteral("DiscountValue")));
    Driver().setChargeValue(GetSumm(edtChargeValue->text(), QStringLiteral("ChargeValue")));
    Driver().setDiscountOnCheck(StrToFloat(edtDiscountOnCheck->text()));
    CloseOperation(&TOrvek::CloseCheckBel);
}

void TfmReceipt::CancelOperation(TMethod Method)
{
    TEnableButtonsFrame frame(this);
    (Driver().*Method)();
    Driver().setOperationBlockFirstString(0);
}

void TfmReceipt::btnSysAdminCancelCheckClick() { CancelOperation(&TOrvek::SysAdminCancelCheck); }
void TfmReceipt::btnCancelCheckClick() { CancelOperation(&TOrvek::CancelCheck); }

void TfmReceipt::btnExciseOperationClick()
{
    TEnableButtonsFrame frame(this);
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
    if (fmExPayments2)
        fmExPayments2->ShowModal();
}
