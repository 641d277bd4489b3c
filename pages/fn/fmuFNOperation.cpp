#include "pages/fn/fmuFNOperation.h"

#include "core/driver/untDriver.h"
#include "core/settings/ResStrings.h"
#include "core/support/Format.h"
#include "core/support/SysUtils.h"
#include "core/support/untUtil.h"
#include "pages/fn/DriverSumms.h"
#include "pages/fn/fmuExpayments.h"
#include "pages/fn/fmuFNAgent.h"
#include "platform/Exceptions.h"
#include "platform/ui/Controls.h"
#include "platform/ui/EditLimit.h"
#include "platform/ui/FormBuilder.h"

#include <QAbstractItemView>

namespace {
// Items whose code is the number before the point ("31. АТМ" → 31).
void AddNumbered(QComboBox* combo, const QStringList& items)
{
    combo->clear();
    for (const QString& item : items)
        combo->addItem(item, item.section(QLatin1Char('.'), 0, 0).toInt());
    combo->setCurrentIndex(0);
}

// A combo box narrower than its longest item; its list is wide enough.
void AllowNarrow(QComboBox* combo)
{
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(14);
    int width = 0;
    for (int i = 0; i < combo->count(); ++i)
        width = std::max(width, combo->view()->fontMetrics().horizontalAdvance(combo->itemText(i)));
    combo->view()->setMinimumWidth(width + 30);
    // The first item, the one shown at the start, stays whole.
    FitComboText(combo, combo->itemText(0));
}

QString UIntStr(std::int32_t value)
{
    return QString::number(std::uint32_t(value));
}
} // namespace

TfmFNOperation::TfmFNOperation(QWidget* owner) : TPage(owner, "fmFNOperation", PageCaption), FReport(nullptr)
{
    using T = TfmFNOperation;
    // Item inputs | closing inputs over the memo | buttons.
    TFormBuilder<T> page(this, nullptr, true);

    auto item = page.Section();
    item.Combo(NAMED(cbCheckType), "Тип:", {"Приход", "Возврат прихода", "Расход", "Возврат расхода"}, 0, "CheckType");
    auto taxValue = item.Columns();
    taxValue.Whole(chkTaxValueEnabled = NewCheckBox(this, "chkTaxValueEnabled", "Налог:"), "TaxValueEnabled");
    taxValue.Whole(edtTaxValue = NewEdit(this, "edtTaxValue", "0", 16), "TaxValue");
    item.Combo(NAMED(cbTax1), "Налог:",
               {"1. НДС 22%", "2. НДС 10%", "3. НДС 0%", "4. БЕЗ НДС", "5. НДС 22/122", "6. НДС 10/110", "7. НДС 5%",
                "8. НДС 7%", "9. НДС 5/105", "10.НДС 7/107"},
               0, "Tax1");
    auto summ = item.Columns();
    summ.Whole(chkSumm1Enabled = NewCheckBox(this, "chkSumm1Enabled", "Сумма:"), "Summ1Enabled");
    summ.Whole(edtItemSumm1 = NewEdit(this, "edtItemSumm1", "0", 16), "Summ1");
    item.Combo(NAMED(cbPaymentTypeSign), "Призн. способа расч.:",
               {"1. Предоплата 100%", "2. Частичная предоплата", "3. Аванс", "4. Полный расчет",
                "5. Частичный расчет и кредит", "6. Передача в кредит", "7. Оплата кредита"},
               0, "PaymentTypeSign");
    item.Combo(NAMED(cbPaymentItemSign), "Призн. предм. расч.:", {}, 0, "PaymentItemSign");
    item.Combo(NAMED(cbProductAssignedStatus), "Присв. статус товара:", {}, 0, "ProductAssignedStatus");
    QStringList departments;
    for (int d = 0; d <= 16; ++d)
        departments << QStringLiteral("%1 отдел").arg(d);
    item.Combo(NAMED(cbDepartment), "Отдел:", departments, 0, "Department");
    SetEditLimit(item.Edit(NAMED(edtPrice), "Цена:", "100", "Price"), 16);
    item.Edit(NAMED(edtQuantity), "Кол-во:", "1", "Quantity");
    item.Edit(NAMED(edtName), "Наименов.:", "Товар", "StringForPrinting");
    item.Combo(NAMED(cbMeasureUnit), "Мера кол-ва (ФФД 1.2):", {}, 0, "MeasureUnit");
    item.Check(NAMED(chkDivisionalQuantity), "Дробное кол-во (ФФД 1.2):", false, "DivisionalQuantity");
    item.Edit(NAMED(edtNumerator), "Числитель:", "1", "Numerator");
    item.Edit(NAMED(edtDenominator), "Знаменатель:", "1", "Denominator");
    item.Space();

    auto middle = page.Section();
    page.Stretch();
    auto closing = middle.Columns();
    auto sums = closing.Section();
    SetEditLimit(sums.Edit(NAMED(edtSumm1), "Наличн.:", "0", "Summ1"), 16);
    SetEditLimit(sums.Edit(NAMED(edtSumm2), "Безнал.:", "0", "Summ2"), 16);
    SetEditLimit(sums.Edit(NAMED(edtSumm14), "Аванс:", "0", "Summ14"), 16);
    SetEditLimit(sums.Edit(NAMED(edtSumm15), "Кредит:", "0", "Summ15"), 16);
    SetEditLimit(sums.Edit(NAMED(edtSumm16), "ВП:", "0", "Summ16"), 16);
    sums.Edit(NAMED(edtRoundingSumm), "Округление до рубля, коп.:", "0", "RoundingSumm");
    sums.Combo(NAMED(cbTaxType), "СНО:", {}, 0, "TaxType");
    sums.Edit(NAMED(edtStringForPrinting), "Текст:", "Строка для печати", "StringForPrinting");
    sums.Check(NAMED(chkAddTaxesEnabled), "Передавать НДС: 5%, 7%, 5/105, 7/107  ", false, "AddTaxesEnabled");
    sums.Space();
    auto taxes = closing.Section();
    const char* const taxNames[] = {"НДС 22%", "НДС 10%", "НДС 0%", "БЕЗ НДС", "НДС 22/122",
                                    "НДС 10/110", "НДС 5%", "НДС 7%", "НДС 5/105", "НДС 7/107"};
    for (std::size_t i = 0; i < edtTaxValues.size(); ++i) {
        const QByteArray name = "edtTaxValue" + QByteArray::number(int(i + 1));
        const QByteArray member = "TaxValue" + QByteArray::number(int(i + 1));
        edtTaxValues[i] = taxes.Edit(name.constData(), QString::fromUtf8(taxNames[i]) + QStringLiteral(", сумма:"), "0",
                                    member.constData());
        SetEditLimit(edtTaxValues[i], 16);
    }
    taxes.Space();
    FReport = TMemoReport(Memo = ReportMemo(middle.Memo(NAMED(Memo), true)));

    page.Buttons(15, {
        {NAMED(btnFNOperation), "Добавить позицию v2", &T::btnFNOperationClick, "FNOperation"},
        {NAMED(btnFNOperationAgent), "Добавить позицию v2 + Агент*", &T::btnFNOperationAgentClick, "FNOperation"},
        {NAMED(btnFNCloseCheckEx), "Закрытие чека расширенное v2", &T::btnFNCloseCheckExClick, "FNCloseCheckEx"},
        {NAMED(btnOpenCheck), "Открыть чек", &T::btnOpenCheckClick, "OpenCheck"},
        {NAMED(btnOpenCheckNDS20), "Открыть чек с НДС 20", &T::btnOpenCheckNDS20Click, "OpenCheckNDS20"},
        {NAMED(btnOpenCheckCorrection), "Открыть чек коррекции", &T::btnOpenCheckCorrectionClick,
         "FNOpenCheckCorrection"},
        {NAMED(btnOpenCheckCorrectionNDS20), "Открыть чек коррекции с НДС 20", &T::btnOpenCheckCorrectionNDS20Click,
         "FNOpenCheckCorrectionNDS20"},
        {NAMED(btnSysAdminCancelCheck), "Адм. отмена чека", &T::btnSysAdminCancelCheckClick, "SysAdminCancelCheck"},
        {NAMED(btnCheckSubTotal), "Подытог чека", &T::btnCheckSubTotalClick, "CheckSubTotal"},
        {NAMED(btnFNGetNonClearableSumm), "Запрос необнуляемых сумм", &T::btnFNGetNonClearableSummClick,
         "FNGetNonClearableSumm"},
        {NAMED(btnCashIncome), "Внесение", &T::btnCashIncomeClick, "CashIncome"},
        {NAMED(btnCashOutcome), "Выплата", &T::btnCashOutcomeClick, "CashOutcome"},
        {NAMED(btnContinuePrint), "Продолжить печать", &T::btnContinuePrintClick, "ContinuePrint"},
        {NAMED(btnRepeatDocument), "Печать копии последнего документа", &T::btnRepeatDocumentClick, "RepeatDocument"},
        {NAMED(btnExPayments), "Расширен. типы оплат...", &T::btnExPaymentsClick, {}, TRun::Plain},
    });

    // FormCreate.
    FillLists();
    for (QComboBox* combo : findChildren<QComboBox*>())
        AllowNarrow(combo);
    connect(chkDivisionalQuantity, &QCheckBox::clicked, this, Guarded(this, &T::UpdateForm));
    connect(cbPaymentItemSign, &QComboBox::currentIndexChanged, this, Guarded(this, &T::UpdateForm));
    UpdateForm();
}

void TfmFNOperation::FillLists()
{
    cbTaxType->clear();
    const std::pair<const char*, int> taxTypes[] = {{"ОСН", 1}, {"УСНД", 2}, {"УСНДМР", 4}, {"ЕСХН", 16}, {"ПСН", 32}};
    for (const auto& [text, code] : taxTypes)
        cbTaxType->addItem(Translate(text), code);
    cbTaxType->setCurrentIndex(0);

    AddNumbered(cbPaymentItemSign,
                {"1. Товар", "2. Подакцизный товар", "3. Работа", "4. Услуга", "5. Ставка азартной игры",
                 "6. Выигрыш азартной игры", "7. Лотерейный билет", "8. Выигрыш лотереи", "9. Предоставление РИД",
                 "10. Платеж", "11. Агентское вознаграждение", "12. Выплата", "13. Иной предмет расчета",
                 "14. Имущественное право", "15. Внереализационный доход", "16. Страховые взносы",
                 "17. Торговый сбор", "18. Туристический налог", "19. Залог", "20. Расход", "21. Взносы на ОПС ИП",
                 "22. Взносы на ОПС", "23. Взносы на ОМС ИП", "24. Взносы на ОМС", "25. Взносы на ОСС",
                 "26. Платеж казино", "27. Выдача ДС", "30. АТНМ", "31. АТМ", "32. ТНМ", "33. ТМ"});
    AddNumbered(cbMeasureUnit,
                {"0. шт. или ед.", "10. Грамм", "11. Килограмм", "12. Тонна", "20. Сантиметр", "21. Дециметр",
                 "22. Метр", "30. Квадратный сантиметр", "31. Квадратный дециметр", "32. Квадратный метр",
                 "40. Миллилитр", "41. Литр", "42. Кубический метр", "50. Киловатт час", "51. Гигакалория",
                 "70. Сутки", "71. Час", "72. Минута", "73. Секунда", "80. Килобайт", "81. Мегабайт",
                 "82. Гигабайт", "83. Терабайт", "255. Иное"});
    AddNumbered(cbProductAssignedStatus,
                {"0. Автоматический выбор", "1. Штучный товар реализован", "2. Мерный товар в стадии реализации",
                 "3. Штучный товар возвращен", "4. Часть товара возвращена", "5. Штучный товар, в стадии реализации",
                 "6. Мерный товар, реализован", "255. Статус товара не изменился"});
}

void TfmFNOperation::UpdatePage()
{
    TPage::UpdatePage();
    UpdateForm();
}

void TfmFNOperation::UpdateForm()
{
    const bool divisional = chkDivisionalQuantity->isChecked();
    edtQuantity->setEnabled(!divisional);
    edtNumerator->setEnabled(divisional);
    edtDenominator->setEnabled(divisional);
    const int subject = cbPaymentItemSign->currentData().toInt();
    cbProductAssignedStatus->setEnabled(subject >= 30 && subject <= 33);
}

void TfmFNOperation::UpdateExPayments()
{
    const TfmExPayments& dialog = MadeForm(fmExPayments);
    for (int n = 3; n <= 13; ++n)
        Summ[std::size_t(n)] = dialog.Summ[std::size_t(n)];
}

int TfmFNOperation::GetCheckType() const
{
    static const int types[] = {0, 2, 1, 3};
    const int index = cbCheckType->currentIndex();
    return index >= 0 && index < 4 ? types[index] : 0;
}

void TfmFNOperation::SetItemParams()
{
    TDriver& d = Driver();
    d.setTaxValueEnabled(chkTaxValueEnabled->isChecked());
    d.setSumm1Enabled(chkSumm1Enabled->isChecked());
    d.setCheckType(cbCheckType->currentIndex() + 1);
    CheckIntStr(edtQuantity->text(), QStringLiteral("Количество"));
    d.setTaxValue(GetSumm(edtTaxValue->text(), QStringLiteral("TaxValue")));
    d.setTax1(cbTax1->currentIndex() + 1);
    d.setSumm1(GetSumm(edtItemSumm1->text(), QStringLiteral("Summ1")));
    d.setPaymentTypeSign(cbPaymentTypeSign->currentIndex() + 1);
    d.setPaymentItemSign(cbPaymentItemSign->currentData().toInt());
    d.setProductAssignedStatus(cbProductAssignedStatus->isEnabled() ? cbProductAssignedStatus->currentData().toInt() : 0);
    d.setDepartment(cbDepartment->currentIndex());
    d.setPrice(GetSumm(edtPrice->text(), QStringLiteral("Price")));
    d.setQuantity(StrToFloat(edtQuantity->text()));
    d.setStringForPrinting(edtName->text());
    d.setMeasureUnit(cbMeasureUnit->currentData().toInt());
    d.setDivisionalQuantity(chkDivisionalQuantity->isChecked());
    d.setNumerator(edtNumerator->text());
    d.setDenominator(edtDenominator->text());
}

void TfmFNOperation::btnFNOperationClick()
{
    FReport.Clear();
    SetItemParams();
    Driver().FNOperation();
}

void TfmFNOperation::btnFNOperationAgentClick()
{
    FReport.Clear();
    SetItemParams();
    Check(Driver().FNOperation());
    TfmFNAgent* agent = Owner() ? Owner()->PageByClass<TfmFNAgent>() : nullptr;
    if (!agent)
        throw Exception(QStringLiteral("Cannot find Agent page"));
    agent->SendAgentSignPosition();
    agent->SendAgentDataPosition();
    agent->SendSupplierINN();
    agent->SendSupplierDataPosition();
}

void TfmFNOperation::SetCloseParams()
{
    TDriver& d = Driver();
    d.setSumm1(GetSumm(edtSumm1->text(), QStringLiteral("Summ1")));
    d.setSumm2(GetSumm(edtSumm2->text(), QStringLiteral("Summ2")));
    for (int n = 3; n <= 13; ++n)
        SetDriverSumm(n, Summ[std::size_t(n)]);
    d.setSumm14(GetSumm(edtSumm14->text(), QStringLiteral("Summ14")));
    d.setSumm15(GetSumm(edtSumm15->text(), QStringLiteral("Summ15")));
    d.setSumm16(GetSumm(edtSumm16->text(), QStringLiteral("Summ16")));
    for (int n = 1; n <= int(edtTaxValues.size()); ++n)
        SetDriverTaxValue(n, GetSumm(edtTaxValues[std::size_t(n - 1)]->text(), QStringLiteral("TaxValue%1").arg(n)));
    d.setAddTaxesEnabled(chkAddTaxesEnabled->isChecked());
    d.setRoundingSumm(StrToInt(edtRoundingSumm->text()));
    d.setTaxType(cbTaxType->currentData().toInt());
    d.setStringForPrinting(edtStringForPrinting->text());
}

void TfmFNOperation::btnFNCloseCheckExClick()
{
    FReport.Clear();
    UpdateExPayments();
    SetCloseParams();
    TDriver& d = Driver();
    if (d.FNCloseCheckEx() != 0)
        return;
    FReport.Add(QStringLiteral("Сдача: ") + d.AmountToStr(d.Change()));
    FReport.Add(QStringLiteral("№ ФД : ") + UIntStr(d.DocumentNumber()));
    FReport.Add(QStringLiteral("ФП   : ") + UIntStr(d.FiscalSign()));
}

void TfmFNOperation::OpenOperation(TMethod Method)
{
    FReport.Clear();
    Driver().setCheckType(GetCheckType());
    (Driver().*Method)();
}

void TfmFNOperation::btnOpenCheckClick() { OpenOperation(&TOrvek::OpenCheck); }
void TfmFNOperation::btnOpenCheckNDS20Click() { OpenOperation(&TOrvek::OpenCheckNDS20); }
void TfmFNOperation::btnOpenCheckCorrectionClick() { OpenOperation(&TOrvek::FNOpenCheckCorrection); }
void TfmFNOperation::btnOpenCheckCorrectionNDS20Click() { OpenOperation(&TOrvek::FNOpenCheckCorrectionNDS20); }

void TfmFNOperation::btnSysAdminCancelCheckClick()
{
    FReport.Clear();
    Driver().SysAdminCancelCheck();
    Driver().setOperationBlockFirstString(0);
}

void TfmFNOperation::btnCheckSubTotalClick()
{
    FReport.Clear();
    Check(Driver().CheckSubTotal());
    FReport.Add(QStringLiteral("Подытог чека: ") + Driver().AmountToStr(Driver().Summ1()));
}

// The sums are shown only when the call succeeded: else they are the values
// of an earlier call.
void TfmFNOperation::btnFNGetNonClearableSummClick()
{
    FReport.Clear();
    TDriver& d = Driver();
    if (d.FNGetNonClearableSumm() != 0)
        return;
    const Currency sums[] = {d.Summ1(), d.Summ2(), d.Summ3(), d.Summ4()};
    for (int n = 1; n <= 4; ++n)
        FReport.Add(QStringLiteral("Сумма %1: ").arg(n) + CurrToStr(sums[n - 1]));
}

void TfmFNOperation::CashOperation(TMethod Method)
{
    CheckIntStr(edtSumm1->text(), QStringLiteral("Сумма 1"));
    Driver().setSumm1(GetSumm(edtSumm1->text(), QStringLiteral("Summ1")));
    (Driver().*Method)();
}

void TfmFNOperation::btnCashIncomeClick() { CashOperation(&TOrvek::CashIncome); }
void TfmFNOperation::btnCashOutcomeClick() { CashOperation(&TOrvek::CashOutcome); }
void TfmFNOperation::btnContinuePrintClick() { Driver().ContinuePrint(); }
void TfmFNOperation::btnRepeatDocumentClick() { Driver().RepeatDocument(); }

void TfmFNOperation::btnExPaymentsClick()
{
    MadeForm(fmExPayments).ShowModal();
}
