// The report and register pages ("Отчеты", "Регистры", "Операционные
// регистры", "Денежные регистры", "Необнуляемые суммы", "Товары") driven
// headless against the emulated register.
#include "core/driver/PrinterTypes.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterCounters.h"
#include "emulator/RegisterFN.h"
#include "emulator/RegisterReceipt.h"
#include "pages/fn/FNReports.h"
#include "pages/receipts/fmuCashTotalizer.h"
#include "pages/receipts/fmuNonClearableSumm.h"
#include "pages/receipts/fmuReports.h"
#include "pages/receipts/fmuTotalizers.h"
#include "pages/receipts/fmuWares.h"
#include "pages/receipts/fmuWorkTotalizer.h"
#include "tests/DriverTestSupport.h"
#include "tests/TestSupport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <gtest/gtest.h>

using M = OrvekMethod;

namespace {
constexpr Currency Rub = 10000;

class ReportPagesTest : public DriverTest {
protected:
    void SetUp() override
    {
        DriverTest::SetUp();
        Driver().GetShortECRStatus();   // amounts with the point position known
    }

    static void Click(QWidget* page, const char* name)
    {
        auto* button = page->findChild<QPushButton*>(QLatin1String(name));
        ASSERT_NE(button, nullptr) << name;
        button->click();
    }
    static QStringList Lines(QPlainTextEdit* memo) { return memo->toPlainText().split(QLatin1Char('\n')); }
    // A register reader's memo: its header (an empty line, the caption, a
    // blank and 54 dashes) checked and taken off, the register lines left.
    static QStringList Registers(QPlainTextEdit* memo, const QString& caption)
    {
        QStringList lines = Lines(memo);
        EXPECT_GE(lines.size(), 3);
        EXPECT_EQ(lines.mid(0, 3), (QStringList{QString(), caption, " " + QString(54, QLatin1Char('-'))}));
        return lines.mid(3);
    }
    static RegisterCounters& Counters() { return TestRegister().Area<RegisterCounters>(); }

    // A sale receipt in cash: items of the given prices (department 1, tax group 1).
    static void Sale(std::initializer_list<Currency> prices, int type = 0, int wareCode = 0)
    {
        TDriver& d = Driver();
        d.setQuantity(1);
        d.setDepartment(1);
        d.setTax1(1);
        d.setUseWareCode(wareCode != 0);
        d.setWareCode(wareCode);
        Currency total = 0;
        for (Currency price : prices) {
            d.setPrice(price);
            const int32_t code = type == 0 ? d.Sale() : type == 2 ? d.ReturnSale() : d.Buy();
            ASSERT_EQ(code, 0) << d.ResultCodeDescription().toStdString();
            total += price;
        }
        d.setSumm1(total);
        for (auto setter : {&TOrvek::setSumm2, &TOrvek::setSumm3, &TOrvek::setSumm4})
            (d.*setter)(0);
        ASSERT_EQ(d.CloseCheck(), 0) << d.ResultCodeDescription().toStdString();
    }
};

TEST_F(ReportPagesTest, OperationRegistersShowThePairsTotalsByDeviceKind)
{
    struct Case { bool capFN; int low; int high; };
    for (const Case c : {Case{false, 195, 196}, Case{true, 196, 197}}) {
        ResetEmulatedDriver();
        TestRegister().ModelParams().Set(71, c.capFN);
        Counters().SetOperationRegister(c.low, 3);
        Counters().SetOperationRegister(c.high, 2);
        TfmWorkTotalizer page;
        Click(&page, "btnReadAll");
        const QStringList lines = Registers(page.Memo, " ОПЕРАЦИОННЫЕ РЕГИСТРЫ:");
        ASSERT_EQ(lines.size(), 256) << c.capFN;
        EXPECT_TRUE(lines[c.high].endsWith(" : 2 (Total: 131075)")) << lines[c.high].toStdString();
        EXPECT_TRUE(lines[c.low].endsWith(" : 3")) << lines[c.low].toStdString();
        EXPECT_TRUE(lines[c.high].startsWith(QStringLiteral(" %1.").arg(c.high)));
        EXPECT_FALSE(page.btnStop->isEnabled());
    }
}

TEST_F(ReportPagesTest, OperationRegisterReaderEndsQuietlyOnCode51AndReportsOtherFailures)
{
    Counters().SetOperationRegisterCount(200);
    TfmWorkTotalizer page;
    Click(&page, "btnReadAll");
    QStringList lines = Registers(page.Memo, " ОПЕРАЦИОННЫЕ РЕГИСТРЫ:");
    EXPECT_EQ(lines.size(), 200);
    EXPECT_TRUE(lines.last().startsWith(" 199.")) << lines.last().toStdString();

    TestRegister().Faults().FailOnCall(M::GetOperationReg, 201, 80);
    Click(&page, "btnReadAll");
    lines = Registers(page.Memo, " ОПЕРАЦИОННЫЕ РЕГИСТРЫ:");
    EXPECT_EQ(lines.size(), 200 + 1);
    EXPECT_EQ(lines.last(), "<Прервано в результате ошибки: 80 Идет печать предыдущей команды>");
}

TEST_F(ReportPagesTest, StopEndsTheReaderWithItsTextAndLeavesStopDisabled)
{
    TfmCashTotalizer page;
    QTimer::singleShot(0, page.btnStop, &QPushButton::click);   // runs while the reader processes messages
    Click(&page, "btnReadAll");
    const QStringList lines = Registers(page.Memo, " ДЕНЕЖНЫЕ РЕГИСТРЫ:");
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(lines.last(), "<Прервано пользователем>");
    EXPECT_LT(lines.size(), 256 + 1);
    EXPECT_FALSE(page.btnStop->isEnabled());
    EXPECT_TRUE(page.findChild<QPushButton*>("btnReadAll")->isEnabled());
}

TEST_F(ReportPagesTest, CashReadersShowAmountsCountsAndAFailureMidway)
{
    TfmCashTotalizer page;
    TestRegister().Faults().FailOnCall(M::GetCashReg, 10, 80);
    Click(&page, "btnReadAll");
    QStringList lines = Registers(page.Memo, " ДЕНЕЖНЫЕ РЕГИСТРЫ:");
    EXPECT_EQ(lines.size(), 9 + 1);
    EXPECT_EQ(lines.last(), "<Прервано в результате ошибки: 80 Идет печать предыдущей команды>");

    Counters().SetCashRegisterEx(4229, 7 * Rub);
    Counters().SetCashRegisterEx(4231, 7 * Rub);
    Click(&page, "btnReadExCashReg");
    lines = Registers(page.Memo, " ДЕНЕЖНЫЕ РЕГИСТРЫ (К):");
    ASSERT_EQ(lines.size(), 4522 - 4096 + 1);
    EXPECT_TRUE(lines[4229 - 4096].startsWith(" 4229."));
    EXPECT_TRUE(lines[4229 - 4096].endsWith(" : 7")) << lines[4229 - 4096].toStdString();
    EXPECT_TRUE(lines[4231 - 4096].endsWith(" : 7.00")) << lines[4231 - 4096].toStdString();
}

TEST_F(ReportPagesTest, RegistersPageShowsOneRegisterOrClearsOnFailure)
{
    Sale({12 * Rub, 3 * Rub});
    TfmTotalizers page;
    page.seRegisterNumber->setValue(OperReg::Receipts);   // sale receipts
    Click(&page, "btnGetOperationReg");
    EXPECT_EQ(page.edtRegName->text(), "Количество чеков продаж");
    EXPECT_EQ(page.edtRegContent->text(), "1.00");   // the count shown as an amount

    page.seRegisterNumber->setValue(CashReg::SessionTotals);
    Click(&page, "btnGetCashReg");
    EXPECT_EQ(page.edtRegContent->text(), "15.00");

    page.seRegisterNumber->setValue(CashRegEx::SessionTotals);
    Click(&page, "btnGetCashRegEx");
    EXPECT_EQ(page.edtRegContent->text(), "15.00");

    page.seRegisterNumber->setValue(300);   // no such cash register
    Click(&page, "btnGetCashReg");
    EXPECT_EQ(page.edtRegName->text(), "");
    EXPECT_EQ(page.edtRegContent->text(), "");
}

TEST_F(ReportPagesTest, KeyUpdateTextFollowsResultCodeAndStatus)
{
    struct Case { int code; int status; QString text; };
    const QString longHint = "\r\nОбновление ключей проверки не выполнено. Обратитесь в службу технической поддержки";
    const Case cases[] = {
        {0, 6, "ОБНОВЛЕНО КЛЮЧЕЙ: 1, ОШИБОК НЕТ" + longHint},
        {0, 1, "ОБНОВЛЕНО КЛЮЧЕЙ: 0, ОШИБОК НЕТ\r\nОбновление ключей проверки не выполнено."},
        {255, 0, "НЕТ СВЯЗИ"},
        {254, 0, "Обновление не требуется"},
        {2, 0, GetFNErrorDescription(2)},
    };
    for (const Case& c : cases) {
        Driver().setUpdateKeysResultCode(c.code);
        Driver().setUpdateKeysStatus(c.status);
        EXPECT_EQ(UpdateKeysResultText(), c.text) << c.code << " " << c.status;
    }
}

TEST_F(ReportPagesTest, OpenSessionReportsTheKeyUpdateOnlyForModel254)
{
    TfmReports page;
    TestRegister().ModelParams().Set(32, 17);
    Click(&page, "btnOpenSession");
    EXPECT_TRUE(TestRegister().State().SessionOpen);
    EXPECT_EQ(page.memResult->toPlainText(), "");

    Click(&page, "btnPrintReportWithCleaning");
    TestRegister().ModelParams().Set(32, 254);
    Click(&page, "btnOpenSession");
    const QStringList lines = Lines(page.memResult);
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines[0], "Состояние обновления ключей:");
    Driver().GetShortECRStatus();
    EXPECT_EQ(lines.mid(1).join("\r\n"), UpdateKeysResultText());
}

TEST_F(ReportPagesTest, CalculationStateReportFromTheFNAndItsFailure)
{
    Sale({5 * Rub});
    TfmReports page;
    Click(&page, "btnBuildCalculationStateReport");
    const QStringList lines = Lines(page.memResult);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[0].startsWith(" Номер ФД                : "));
    EXPECT_TRUE(lines[2].startsWith(" Кол-во неподтвержденных документов: "));
    EXPECT_NE(lines[2].section(": ", 1), "0");   // the receipt is not confirmed yet

    TestRegister().Faults().FailNext(M::FNBuildCalculationStateReport, 2);
    Click(&page, "btnBuildCalculationStateReport");
    EXPECT_EQ(page.memResult->toPlainText(), "");   // cleared, then the call failed
    EXPECT_TRUE(TestDialogs().shown().empty());     // a silent end
}

TEST_F(ReportPagesTest, ZReportGoesIntoTheBufferAndIsPrintedFromItOnce)
{
    TfmReports page;
    Click(&page, "btnOpenSession");
    TestRegister().Paper().Clear();
    Click(&page, "btnPrintZReportInBuffer");
    EXPECT_FALSE(TestRegister().State().SessionOpen);   // the shift closes at once
    EXPECT_TRUE(TestRegister().Paper().Texts().isEmpty());
    Click(&page, "btnPrintZReportFromBuffer");
    EXPECT_EQ(Driver().ResultCode(), 0);
    EXPECT_TRUE(TestRegister().Paper().Texts().contains("СУТОЧНЫЙ ОТЧЕТ С ГАШЕНИЕМ"));
    Click(&page, "btnPrintZReportFromBuffer");
    EXPECT_EQ(Driver().ResultCode(), OrvekResult::NoReportInBuffer);
}

TEST_F(ReportPagesTest, ReportsPrintTheRegistersCounters)
{
    Sale({12 * Rub, 3 * Rub});
    TfmReports page;
    struct Case { const char* button; QString line; };
    const Case cases[] = {
        {"btnPrintDepartmentReport", "ОТДЕЛ 1"},
        {"btnPrintTaxReport", "НАЛОГ 1"},
        {"btnPrintCashierReport", "  ЧЕКОВ 1 =15.00"},
        {"btnPrintHourlyReport", "  ЧЕКОВ 1 =15.00"},
        {"btnPrintOperationReg", "144 Количество чеков продаж =1"},
        {"btnPrintReportWithoutCleaning", "СУТОЧНЫЙ ОТЧЕТ БЕЗ ГАШЕНИЯ"},
    };
    for (const Case& c : cases) {
        TestRegister().Paper().Clear();
        Click(&page, c.button);
        EXPECT_EQ(Driver().ResultCode(), 0) << c.button;
        EXPECT_TRUE(TestRegister().Paper().Texts().contains(c.line)) << c.button;
    }
    TestRegister().Faults().FailNext(M::PrintTaxReport, 80);
    Click(&page, "btnPrintTaxReport");
    EXPECT_EQ(Driver().ResultCode(), 80);
}

TEST_F(ReportPagesTest, NonClearableSumsGrowWithReceipts)
{
    TfmNonClearableSumm page;
    Click(&page, "btnFNGetNonClearableSumm");
    const QStringList before = Lines(page.Memo);
    Sale({10 * Rub, 2 * Rub});
    Sale({5 * Rub}, 2);   // a sale return
    Click(&page, "btnFNGetNonClearableSumm");
    QStringList lines = Lines(page.Memo);
    ASSERT_EQ(lines.size(), 4);
    auto amount = [](const QString& line) { return line.section(": ", 1).toDouble(); };
    EXPECT_DOUBLE_EQ(amount(lines[0]) - amount(before[0]), 12.0);
    EXPECT_TRUE(lines[1].startsWith("Возврат прихода: "));
    EXPECT_DOUBLE_EQ(amount(lines[1]) - amount(before[1]), 5.0);

    page.cbCheckType->setCurrentIndex(0);
    Click(&page, "btnFNGetNonClearableSummEx");
    lines = Lines(page.Memo);
    ASSERT_EQ(lines.size(), 1 + 16 + 1 + 1);
    EXPECT_EQ(lines[0], "Необн. суммы прихода:");
    EXPECT_TRUE(lines[1].startsWith("Summ1 : "));
    EXPECT_TRUE(lines[16].startsWith("Summ16: "));
    EXPECT_EQ(lines[17], QString(25, '-'));
    EXPECT_EQ(amount(lines[18]), amount(lines[1]));   // all in cash

    page.cbCheckType->setCurrentIndex(4);
    Click(&page, "btnFNGetNonClearableSummEx");
    EXPECT_EQ(Lines(page.Memo), QStringList({"Необн. суммы коррекции:", "Коррекция прихода         : 0.00",
                                              "Коррекция возврата прихода: 0.00", "Коррекция расхода         : 0.00",
                                              "Коррекция возврата расхода: 0.00"}));

    Click(&page, "btnReadAllNonClearableSumm");
    lines = Lines(page.Memo);
    EXPECT_EQ(lines.size(), 4 * (1 + 16 + 1 + 1 + 1));
    EXPECT_EQ(lines[20], "Необн. суммы возврата прихода:");

    TestRegister().Faults().FailOnCall(M::FNGetNonClearableSummEx, 2, 80);
    Click(&page, "btnReadAllNonClearableSumm");
    EXPECT_EQ(Lines(page.Memo).size(), 1 + 16 + 1 + 1 + 1);   // the first type, then the silent end
    EXPECT_TRUE(page.Memo->updatesEnabled());
}

TEST_F(ReportPagesTest, WareBaseReadUpdateDeleteAndRegisters)
{
    TfmWares page;
    page.edtWareCode->setText("7");
    page.edtPrice->setText("12.50");
    page.edtDepartment->setValue(3);
    page.cbTax[1]->setCurrentIndex(2);
    page.edtStringForPrinting->setText("Хлеб");
    Click(&page, "btnUpdateWare");
    ASSERT_EQ(Driver().ResultCode(), 0);

    page.edtPrice->setText("0");
    page.edtDepartment->setValue(1);
    page.cbTax[1]->setCurrentIndex(0);
    page.edtStringForPrinting->clear();
    Click(&page, "btnReadWare");
    EXPECT_EQ(page.edtPrice->text(), "12.50");
    EXPECT_EQ(page.edtDepartment->value(), 3);
    EXPECT_EQ(page.cbTax[1]->currentIndex(), 2);
    EXPECT_EQ(page.edtStringForPrinting->text(), "Хлеб");

    // A bad price: the conversion error before any driver call.
    TestRegister().ClearJournal();
    page.edtPrice->setText("12,5x");
    TestDialogs().clear();
    Click(&page, "btnUpdateWare");
    EXPECT_EQ(TestRegister().CallCount(M::UpdateWare), 0);
    ASSERT_EQ(TestDialogs().shown().size(), 1u);
    EXPECT_EQ(Counters().FindWare(7)->Price, 125000);

    // Ware registers after a sale by ware code.
    Sale({4 * Rub}, 0, 7);
    Click(&page, "btnGetWareBaseCashRegs");
    QStringList lines = Lines(page.memOut);
    ASSERT_EQ(lines.size(), 10);
    EXPECT_EQ(lines[0], "Запрос денежных регистров по коду товара: 7");
    EXPECT_EQ(lines[2], "Регистр продаж по данному товару в чеке: 0.00");
    EXPECT_EQ(lines[6], "Регистр продаж по данному товару за смену: 4.00");

    // Deleted: reading fails and the fields stay.
    page.edtPrice->setText("1");
    Click(&page, "btnDeleteWare");
    Click(&page, "btnReadWare");
    EXPECT_EQ(Driver().ResultCode(), OrvekResult::WareNotFound);
    EXPECT_EQ(page.edtPrice->text(), "1");
    Click(&page, "btnGetWareBaseCashRegs");
    EXPECT_EQ(page.memOut->toPlainText(), "");
    Driver().setUseWareCode(true);
    Driver().setWareCode(7);
    EXPECT_EQ(Driver().Sale(), OrvekResult::WareNotFound);   // a sale of a ware not in the base
}
} // namespace
