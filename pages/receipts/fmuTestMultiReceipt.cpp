#include "pages/receipts/fmuTestMultiReceipt.h"

#include "core/driver/untDriver.h"
#include "core/settings/ResStrings.h"
#include "core/support/SysUtils.h"
#include "pages/fn/DriverSumms.h"
#include "pages/receipts/ReceiptRun.h"
#include "platform/Exceptions.h"
#include "platform/Guard.h"
#include "platform/ui/EditLimit.h"
#include "platform/ui/FormBuilder.h"

#include <QCoreApplication>
#include <cmath>

namespace {
using T = TfmTestMultiReceipt;

const QStringList Rules{"Точное значение", "Случайное значение", "Перебирать до"};

const QStringList ReceiptTypes{"приход", "возврат прихода", "расход", "возврат расхода"};
const QStringList Taxes{"НДС 20%", "НДС 10%", "НДС 0%", "БЕЗ НДС", "НДС 20/120", "НДС 10/110"};
const QStringList ItemTypes{"1. Предоплата 100%",         "2. Частичная предоплата", "3. Аванс",
                            "4. Полный расчет",           "5. Частичный расчет и кредит",
                            "6. Передача в кредит",       "7. Оплата кредита"};
const QStringList SNOs{"ОСН", "УСН доход", "УСН доход - расход", "ЕНВД", "ЕСХН", "Патент"};

const std::pair<const char*, int> ItemSigns[] = {
    {"1. Товар", 1},
    {"2. Подакцизный товар", 2},
    {"3. Работа", 3},
    {"4. Услуга", 4},
    {"5. Ставка азартной игры", 5},
    {"6. Выигрыш азартной игры", 6},
    {"7. Лотерейный билет", 7},
    {"8. Выигрыш лотереи", 8},
    {"9. Предоставление РИД", 9},
    {"10. Платеж", 10},
    {"11. Агентское вознаграждение", 11},
    {"12. Выплата", 12},
    {"13. Иной предмет расчета", 13},
    {"14. Имущественное право", 14},
    {"15. Внереализационный доход", 15},
    {"16. Страховые взносы", 16},
    {"17. Торговый сбор", 17},
    {"18. Курортный сбор", 18},
    {"19. Залог", 19},
    {"20. Расход", 20},
    {"21. Взносы на ОПС ИП", 21},
    {"22. Взносы на ОПС", 22},
    {"23. Взносы на ОМС ИП", 23},
    {"24. Взносы на ОМС", 24},
    {"25. Взносы на ОСС", 25},
    {"26. Платеж казино", 26},
    {"27. Выдача ДС", 27},
    {"30. АТНМ", 30},
    {"31. АТМ", 31},
    {"32. ТНМ", 32},
    {"33. ТМ", 33},
};

constexpr int MaxPositionName = 128;

QStringList PaymentTypes()
{
    QStringList items{"1 - наличные", "2 - безналичные"};
    for (int n = 3; n <= 13; ++n)
        items << QStringLiteral("%1 - иной тип оплаты").arg(n);
    items << "14 - аванс" << "15 - кредит" << "16 - встречн. предост.";
    return items;
}

QStringList Departments()
{
    QStringList items;
    for (int n = 0; n <= 15; ++n)
        items << QString::number(n);
    return items;
}

// A currency value (four decimals) in the user's number format.
Currency StrToCurr(const QString& text)
{
    const double value = StrToFloat(text);
    if (!(std::fabs(value) < 9.0e14))
        throw EConvertError::NotNumber(text);
    return Currency(std::llround(value * 10000));
}

// A value combo with its rule combo beside it.
QComboBox* Ruled(TFormBuilder<T>& b, TNamed<QComboBox> value, const QString& caption, const QStringList& items,
                 int index, TNamed<QComboBox> rule, const char* member)
{
    QComboBox* combo = b.Combo(value, caption, items, index, member);
    combo->setMinimumWidth(200);
    SetComboDropDownWidth(combo);
    int row = 0, column = 0, rows = 0, columns = 0;
    b.Grid()->getItemPosition(b.Grid()->indexOf(combo), &row, &column, &rows, &columns);
    b.Grid()->addWidget(rule.Set(NewComboBox(b.Container(), rule.Name, Rules, 0)), row, 2);
    return combo;
}

// An input with a check box beside it.
void WithCheck(TFormBuilder<T>& b, QWidget* input, TNamed<QCheckBox> check, const QString& caption, bool checked = false)
{
    int row = 0, column = 0, rows = 0, columns = 0;
    b.Grid()->getItemPosition(b.Grid()->indexOf(input), &row, &column, &rows, &columns);
    b.Grid()->addWidget(check.Set(NewCheckBox(b.Container(), check.Name, caption, checked)), row, 2);
}
} // namespace

TfmTestMultiReceipt::TfmTestMultiReceipt(QWidget* owner) : TPage(owner, "fmTestMultiReceipt", PageCaption)
{
    TFormBuilder<T> page(this, nullptr, true);

    // Values of the receipts, each with its rule.
    auto values = page.Section();
    Ruled(values, NAMED(cbReceiptType), "Тип чека:", ReceiptTypes, 0, NAMED(cbReceipTypeApplyType), "CheckType");
    Ruled(values, NAMED(cbDepartment), "Отдел:", Departments(), 0, NAMED(cbDepartmentApplyType), "Department");
    Ruled(values, NAMED(cbTax), "Налог:", Taxes, 0, NAMED(cbTaxApplyType), "Tax1");
    Ruled(values, NAMED(cbItemType), "Способ. расч.:", ItemTypes, 0, NAMED(cbItemTypeApplyType), "PaymentTypeSign");
    Ruled(values, NAMED(cbItemSign), "Предм. расч.:", {}, 0, NAMED(cbItemSignApplyType), "PaymentItemSign");
    Ruled(values, NAMED(cbPaymentType), "Тип оплаты:", PaymentTypes(), 0, NAMED(cbPaymentApplyType), "Summ1");
    Ruled(values, NAMED(cbSNO), "СНО:", SNOs, 0, NAMED(cbSNOApplyType), "TaxType");
    WithCheck(values, values.Edit(NAMED(edtQuantity), "Количество:", "1", "Quantity"), NAMED(chbRandomQuantity),
              "Случайное количество");
    WithCheck(values, values.Edit(NAMED(edtPrice), "Цена:", "1", "Price"), NAMED(chbRandomPrice), "Случайная цена");
    edtPositionName = values.Edit(NAMED(edtPositionName), "Наименов. позиции:", "Товар", "StringForPrinting");
    SetEditLimit(edtPositionName, MaxPositionName);
    WithCheck(values, edtPositionName, NAMED(chbPositionAddNumber), "Добавить номер", true);
    values.Space();

    // How many.
    auto counts = page.Section();
    counts.Spin(NAMED(seOperationCount), "Операций в чеке:", 1, 2147483647, 1, "FNOperation");
    counts.Check(NAMED(chbRandomOperationCount), "Случайное количество операций");
    counts.Spin(NAMED(seReceiptCount), "Количество чеков:", 1, 2147483647, 10, "FNCloseCheckEx");
    counts.Check(NAMED(chbRandomReceiptCount), "Случайное количество чеков");
    counts.Check(NAMED(chbCloseDay), "Закрывать смену", false, "PrintReportWithCleaning");
    counts.Spin(NAMED(seDayCount), "Количество смен:", 1, 2147483647, 1);
    counts.Check(NAMED(chbUnlimitedDayCount), "Бесконечное количество смен");
    counts.Check(NAMED(chbRequestDocuments), "Запрашивать док. и статус обмена", false, "FNGetInfoExchangeStatus");
    counts.Space();

    // The run.
    auto run = page.Section();
    run.Edit(NAMED(edtElapsed), "Прошло:")->setReadOnly(true);
    run.Edit(NAMED(edtDaysDone), "Количество смен:")->setReadOnly(true);
    run.Edit(NAMED(edtReceiptsDone), "Количество чеков:")->setReadOnly(true);
    run.Buttons(2, {
        {NAMED(btnStart), "Начать", &T::btnStartClick, "FNOperation", TRun::Plain},
        {NAMED(btnStop), "Прервать", &T::btnStopClick, {}, TRun::Stop},
    });
    run.Space();
    page.Stretch();

    // FormCreate.
    for (const auto& [text, code] : ItemSigns)
        cbItemSign->addItem(GetRes(text), code);
    cbItemSign->setCurrentIndex(0);
    for (QCheckBox* check : {chbRandomQuantity, chbRandomPrice, chbRandomOperationCount, chbRandomReceiptCount,
                             chbCloseDay, chbUnlimitedDayCount})
        connect(check, &QCheckBox::toggled, this, Guarded(this, &T::OnUpdatePage));
    for (QComboBox* rule : {cbReceipTypeApplyType, cbDepartmentApplyType, cbTaxApplyType, cbItemTypeApplyType,
                            cbItemSignApplyType, cbPaymentApplyType, cbSNOApplyType})
        connect(rule, &QComboBox::currentIndexChanged, this, Guarded(this, &T::OnUpdatePage));
    OnUpdatePage();
}

void TfmTestMultiReceipt::showEvent(QShowEvent* event)
{
    TPage::showEvent(event);
    OnUpdatePage();
}

void TfmTestMultiReceipt::OnUpdatePage()
{
    const std::pair<QComboBox*, QComboBox*> ruled[] = {
        {cbReceiptType, cbReceipTypeApplyType}, {cbDepartment, cbDepartmentApplyType},
        {cbTax, cbTaxApplyType},                {cbItemType, cbItemTypeApplyType},
        {cbItemSign, cbItemSignApplyType},      {cbPaymentType, cbPaymentApplyType},
        {cbSNO, cbSNOApplyType}};
    for (const auto& [value, rule] : ruled)
        value->setEnabled(rule->currentIndex() != atRandom);
    edtQuantity->setEnabled(!chbRandomQuantity->isChecked());
    edtPrice->setEnabled(!chbRandomPrice->isChecked());
    seOperationCount->setEnabled(!chbRandomOperationCount->isChecked());
    seReceiptCount->setEnabled(!chbRandomReceiptCount->isChecked());
    seDayCount->setEnabled(chbCloseDay->isChecked() && !chbUnlimitedDayCount->isChecked());
    chbUnlimitedDayCount->setEnabled(chbCloseDay->isChecked());
}

void TfmTestMultiReceipt::UpdatePage()
{
    if (!FStartTime.isValid())
        return;
    const qint64 ms = FStartTime.msecsTo(QDateTime::currentDateTime());
    const qint64 days = ms / 86400000;
    const QString time = TimeToStr(QTime(0, 0).addMSecs(int(ms % 86400000)));
    edtElapsed->setText(days > 0 ? QStringLiteral("%1 д. %2").arg(days).arg(time) : time);
    edtDaysDone->setText(QString::number(FDayCounter));
    edtReceiptsDone->setText(QString::number(FReceiptCounter));
}

std::int32_t TfmTestMultiReceipt::CheckTypeToOldType(std::int32_t Value)
{
    switch (Value) {
    case 2: return 2;
    case 3: return 1;
    case 4: return 3;
    }
    return 0;
}

std::int32_t TfmTestMultiReceipt::GetCycleValue(std::int32_t i, std::int32_t n, const QString& Name)
{
    if (n < 1)
        throw Exception(QStringLiteral("Перебирать значение \"%1\" до %2 нельзя: выберите значение больше 0.")
                            .arg(Name)
                            .arg(n));
    return (i - 1) % n + 1;
}

std::uint8_t TfmTestMultiReceipt::SetSNO(std::int32_t n)
{
    return std::uint8_t(1u << (n - 1));
}

void TfmTestMultiReceipt::ReadParams()
{
    TTestReceiptParams p;
    p.ReceiptType = cbReceiptType->currentIndex() + 1;
    p.Department = cbDepartment->currentIndex();
    p.DepartmentApplyType = cbDepartmentApplyType->currentIndex();
    p.Quantity = StrToFloat(edtQuantity->text());
    p.RandomQuantity = chbRandomQuantity->isChecked();
    p.Price = StrToCurr(edtPrice->text());
    p.RandomPrice = chbRandomPrice->isChecked();
    p.OperationCount = seOperationCount->value();
    p.RandomOperationCount = chbRandomOperationCount->isChecked();
    p.ReceiptCount = seReceiptCount->value();
    p.RandomReceiptCount = chbRandomReceiptCount->isChecked();
    p.CloseDay = chbCloseDay->isChecked();
    p.DayCount = seDayCount->value();
    p.UnlimitedDayCount = chbUnlimitedDayCount->isChecked();
    p.PaymentApplyType = cbPaymentApplyType->currentIndex();
    p.PaymentType = cbPaymentType->currentIndex() + 1;
    p.SNO = SetSNO(cbSNO->currentIndex() + 1);
    p.SNOApplyType = cbSNOApplyType->currentIndex();
    p.PositionName = edtPositionName->text();
    p.PositionAddNumber = chbPositionAddNumber->isChecked();
    p.Tax = cbTax->currentIndex() + 1;
    p.TaxApplyType = cbTaxApplyType->currentIndex();
    p.ReceiptTypeApplyType = cbReceipTypeApplyType->currentIndex();
    p.ItemType = cbItemType->currentIndex() + 1;
    p.ItemSign = cbItemSign->currentData().toInt();
    p.ItemTypeApplyType = cbItemTypeApplyType->currentIndex();
    p.ItemSignApplyType = cbItemSignApplyType->currentIndex();
    FParams = std::move(p);
}

void TfmTestMultiReceipt::btnStopClick()
{
    FStopFlag = true;
}

void TfmTestMultiReceipt::btnStartClick()
{
    if (FRunning)
        return;
    const TPortRun run(this, [this] { FRunning = false; });
    TDriverJob job;   // events run between the driver calls
    FRunning = true;
    btnStop->setEnabled(true);
    FStopFlag = false;
    FWindowShown = window()->isVisible();
    FDayCounter = 0;
    FReceiptCounter = 0;
    FStartTime = QDateTime::currentDateTime();
    FRandom.seed(RandomSeed ? *RandomSeed : quint32(QDateTime::currentMSecsSinceEpoch()));
    ReadParams();
    UpdatePage();
    FReceiptOpen = false;
    try {
        Run();
    } catch (const EAbort&) {
        if (FReceiptOpen && Stopped())
            CancelOpenReceipt();
        throw;
    }
}

void TfmTestMultiReceipt::CancelOpenReceipt()
{
    FReceiptOpen = false;
    const std::int32_t code = CallWhileAnswering(OrvekResult::PrinterBusy, [] { return Driver().SysAdminCancelCheck(); },
                                                 {}, TReceiptRetry::BoundedTries);
    if (code != 0)
        throw Exception(QStringLiteral("Генерация чеков прервана, а открытый ею чек отменить не удалось: (%1) %2.\r\n"
                                       "Отмените чек кнопкой \"Адм. отмена чека\" на странице \"Операции ФН\".")
                            .arg(code)
                            .arg(Driver().ResultCodeDescription()));
}

void TfmTestMultiReceipt::Run()
{
    const std::int64_t days = !FParams.CloseDay ? 1 : FParams.UnlimitedDayCount ? -1 : FParams.DayCount;
    TDriver& d = Driver();
    Check(d.LockPort());
    Check(d.GetECRStatus());
    if (d.ECRMode() == 8)
        Check(d.SysAdminCancelCheck());
    Check(d.WaitForPrinting());
    if (chbRequestDocuments->isChecked()) {
        Check(d.FNGetStatus());
        FDocumentNumber = d.DocumentNumber();
    }
    FDayCounter = 0;
    while (true) {
        CheckStop();
        if (days >= 0 && FDayCounter >= days)
            break;
        PrintDay();
        ++FDayCounter;
        UpdatePage();
    }
}

bool TfmTestMultiReceipt::Stopped() const
{
    return FStopFlag || (FWindowShown && !window()->isVisible());
}

void TfmTestMultiReceipt::CheckStop() const
{
    if (Stopped())
        Abort();
}

void TfmTestMultiReceipt::ProcessMessages()
{
    QCoreApplication::processEvents();
}

std::int32_t TfmTestMultiReceipt::WhileAnswering(std::int32_t Busy, const std::function<std::int32_t()>& Call)
{
    const std::int32_t code = CallWhileAnswering(Busy, Call, [this] { return Stopped(); });
    if (code == Busy)
        CheckStop();
    return code;
}

std::int32_t TfmTestMultiReceipt::RuleValue(std::int32_t Rule, std::int32_t Exact, std::int32_t Count,
                                            std::int32_t ReceiptNumber, const QString& Name, bool ZeroBased)
{
    switch (Rule) {
    case atRandom: return std::int32_t(FRandom.bounded(Count)) + (ZeroBased ? 0 : 1);
    case atCycle: return GetCycleValue(ReceiptNumber, Exact, Name);
    }
    return Exact;
}

void TfmTestMultiReceipt::PrintDay()
{
    CheckStop();
    TDriver& d = Driver();
    const std::int32_t receipts = FParams.RandomReceiptCount ? 1 + std::int32_t(FRandom.bounded(100)) : FParams.ReceiptCount;
    for (std::int32_t i = 1; i <= receipts; ++i) {
        const std::int32_t type =
            RuleValue(FParams.ReceiptTypeApplyType, FParams.ReceiptType, 4, i, QStringLiteral("Тип чека"));
        PrintReceipt(i, type);
        ++FReceiptCounter;
        UpdatePage();
        ProcessMessages();
    }
    if (FParams.CloseDay) {
        Check(WhileAnswering(OrvekResult::PrinterBusy, [&d] { return d.PrintReportWithCleaning(); }));
        ++FDocumentNumber;
    }
    Check(d.WaitForPrinting());
}

void TfmTestMultiReceipt::PrintReceipt(std::int32_t ReceiptNumber, std::int32_t ReceiptType)
{
    TDriver& d = Driver();
    d.setCheckType(CheckTypeToOldType(ReceiptType));
    Check(d.OpenCheck());
    FReceiptOpen = true;
    const std::int32_t items =
        FParams.RandomOperationCount ? 1 + std::int32_t(FRandom.bounded(20)) : FParams.OperationCount;
    for (std::int32_t k = 1; k <= items; ++k) {
        CheckStop();
        PrintReceiptItem(k, ReceiptNumber, ReceiptType);
    }
    d.setStringForPrinting(QStringLiteral("%1 #%2 ").arg(GetRes("Чек")).arg(ReceiptNumber));
    Check(WhileAnswering(OrvekResult::PrinterBusy, [&d] { return d.CheckSubTotal(); }));
    SetPaymentType(d.Summ1(), ReceiptNumber);
    d.setTax1(0);
    d.setTax2(0);
    d.setTax3(0);
    d.setTax4(0);
    d.setRoundingSumm(0);
    for (int n = 1; n <= 10; ++n)
        SetDriverTaxValue(n, 0);
    d.setDiscountOnCheck(0);
    d.setTaxType(FParams.SNOApplyType == atExact
                     ? FParams.SNO
                     : SetSNO(RuleValue(FParams.SNOApplyType, cbSNO->currentIndex() + 1, 6, ReceiptNumber,
                                        QStringLiteral("СНО"))));
    Check(WhileAnswering(OrvekResult::FNBusy, [&d] { return d.FNCloseCheckEx(); }));
    FReceiptOpen = false;
    if (chbRequestDocuments->isChecked()) {
        // The receipt's own document: a shift opened by the receipt made one more.
        FDocumentNumber = d.DocumentNumber();
        d.setDocumentNumber(FDocumentNumber);
        Check(d.FNFindDocument());
        Check(d.FNGetInfoExchangeStatus());
    }
    Check(d.WaitForPrinting());
}

void TfmTestMultiReceipt::PrintReceiptItem(std::int32_t ItemNumber, std::int32_t ReceiptNumber,
                                           std::int32_t ReceiptType)
{
    TDriver& d = Driver();
    const TTestReceiptParams& p = FParams;
    const std::int32_t n = ReceiptNumber;
    d.setPrice(p.RandomPrice ? Currency(std::llround((1 + 1000 * FRandom.generateDouble()) * 10000)) : p.Price);
    d.setQuantity(p.RandomQuantity ? 1 + 10 * FRandom.generateDouble() : p.Quantity);
    d.setDepartment(RuleValue(p.DepartmentApplyType, p.Department, 16, n, QStringLiteral("Отдел"), true));
    d.setTax1(RuleValue(p.TaxApplyType, p.Tax, 6, n, QStringLiteral("Налог")));
    d.setPaymentTypeSign(RuleValue(p.ItemTypeApplyType, p.ItemType, 7, n, QStringLiteral("Способ. расч.")));
    d.setPaymentItemSign(
        p.ItemSignApplyType == atExact
            ? p.ItemSign
            : cbItemSign->itemData(RuleValue(p.ItemSignApplyType, cbItemSign->currentIndex() + 1, cbItemSign->count(),
                                             n, QStringLiteral("Предм. расч.")) - 1)
                  .toInt());
    d.setTax2(0);
    d.setTax3(0);
    d.setTax4(0);
    d.setSumm1(0);
    d.setSumm2(0);
    d.setBarCode(QString::number(FRandom.bounded(1234567890)));
    d.setSumm1Enabled(false);
    d.setTaxValueEnabled(false);
    d.setCheckType(ReceiptType);
    const QString name = p.PositionAddNumber ? QStringLiteral("%1 %2").arg(ItemNumber).arg(p.PositionName) : p.PositionName;
    d.setStringForPrinting(name.left(MaxPositionName));
    Check(WhileAnswering(OrvekResult::PrinterBusy, [&d] { return d.FNOperation(); }));
    ProcessMessages();
}

void TfmTestMultiReceipt::SetPaymentType(Currency Total, std::int32_t ReceiptNumber)
{
    for (int n = 1; n <= 20; ++n)
        SetDriverSumm(n, 0);
    // The exact type is read at each receipt; a cycle runs up to the type chosen at the start.
    const std::int32_t chosen =
        FParams.PaymentApplyType == atExact ? cbPaymentType->currentIndex() + 1 : FParams.PaymentType;
    const std::int32_t p = RuleValue(FParams.PaymentApplyType, chosen, 16, ReceiptNumber, QStringLiteral("Тип оплаты"));
    SetDriverSumm(p, Total);
}
