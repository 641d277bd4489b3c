// The legacy receipt page and its extra-payment dialog, driven headless
// against the emulated register.
#include "core/settings/ControlStore.h"
#include "core/support/Format.h"
#include "pages/receipts/fmuExpayments2.h"
#include "pages/receipts/fmuReceipt.h"
#include "platform/Registry.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterCounters.h"
#include "emulator/RegisterReceipt.h"
#include "tests/DriverTestSupport.h"
#include "tests/TestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using M = OrvekMethod;

namespace {
constexpr Currency Rub = 10000;

QString BadField(const QString& field)
{
    return QStringLiteral("Некорректное значение в поле\r\n\"%1\"").arg(field);
}

class ReceiptPageTest : public DriverTest {
protected:
    void SetUp() override
    {
        DriverTest::SetUp();
        QFile::remove(TRegistry::DefaultFileName());
        fmExPayments2 = new TfmExPayments2;
        Page = std::make_unique<TfmReceipt>();
        PageNotifier().SetOnChange([this](TPageNotifier*, TChangeType t) { Notified += QLatin1Char(t == ctStart ? 'S' : 'E'); });
        Driver();
        TestRegister().ClearJournal();
    }
    void TearDown() override
    {
        PageNotifier().SetOnChange(nullptr);
        Page.reset();
        delete std::exchange(fmExPayments2, nullptr);
        DriverTest::TearDown();
    }

    RegisterReceipt& Receipt() { return TestRegister().Area<RegisterReceipt>(); }
    std::vector<OrvekMethod> Journal() { return TestRegister().Journal(); }
    bool AllButtonsEnabled()
    {
        for (QPushButton* b : Page->findChildren<QPushButton*>())
            if (!b->isEnabled())
                return false;
        return true;
    }
    // Shows the dialog through the page's button; the script runs inside it
    // and must close it.
    void WithDialog(const std::function<void(TfmExPayments2&)>& script)
    {
        QTimer::singleShot(0, [script] {
            script(*fmExPayments2);
            if (fmExPayments2->isVisible())
                fmExPayments2->close();
        });
        Page->btnSummEx->click();
    }
    void SetSumms(const QStringList& texts)
    {
        for (int i = 0; i < 4; ++i)
            Page->edtSumm[std::size_t(i)]->setText(texts.value(i, QStringLiteral("0")));
    }

    std::unique_ptr<TfmReceipt> Page;
    QString Notified;
};
} // namespace

TEST_F(ReceiptPageTest, SaleWithTheDefaults)
{
    Page->btnSale->click();
    EXPECT_EQ(Journal(), (std::vector<OrvekMethod>{M::Connect, M::Sale}));
    EXPECT_EQ(Driver().ResultCode(), 0);
    EXPECT_EQ(Notified, QStringLiteral("SE"));
    EXPECT_TRUE(AllButtonsEnabled());
    EXPECT_EQ(Driver().Summ1(), 0);
    EXPECT_EQ(Driver().Department(), 1);
    EXPECT_FALSE(Driver().UseWareCode());
    EXPECT_EQ(Driver().WareCode(), 1);
    ASSERT_EQ(Receipt().Items().size(), 1u);
    const ReceiptItem& item = Receipt().Items().front();
    EXPECT_EQ(item.Type, ReceiptType::Sale);
    EXPECT_EQ(item.Price, 100 * Rub);
    EXPECT_DOUBLE_EQ(item.Quantity, 1.0);
    EXPECT_EQ(item.Department, 1);
    EXPECT_EQ(item.Taxes, (std::array<int, 4>{0, 0, 0, 0}));
    EXPECT_EQ(item.Text, QStringLiteral("Булка"));
    EXPECT_TRUE(TestRegister().Paper().Texts().contains(QStringLiteral("1.000 X 100.00")));
}

TEST_F(ReceiptPageTest, BlocksSendThePageInputs)
{
    Page->edtPrice->setText(QStringLiteral("12,5"));
    Page->edtQuantity->setText(QStringLiteral("3"));
    Page->seDepartment->setValue(4);
    Page->cbTax[0]->setCurrentIndex(6);
    Page->cbTax[3]->setCurrentIndex(1);
    Page->cbUseWareCode->setChecked(true);
    Page->edtWareCode->setValue(77);
    TestRegister().Area<RegisterCounters>().PutWare(77, {});   // a sale by ware code needs the ware
    Page->btnSale->click();
    EXPECT_EQ(Driver().ResultCode(), 0) << Driver().ResultCodeDescription().toStdString();
    EXPECT_EQ(Driver().Price(), 12 * Rub + 5000);
    EXPECT_DOUBLE_EQ(Driver().Quantity(), 3.0);
    EXPECT_EQ(Driver().Department(), 4);
    EXPECT_EQ(Driver().Tax1(), 6);
    EXPECT_EQ(Driver().Tax4(), 1);
    EXPECT_TRUE(Driver().UseWareCode());
    EXPECT_EQ(Driver().WareCode(), 77);
    EXPECT_EQ(Receipt().Items().back().Amount, 37 * Rub + 5000);

    // The Bel closing sets no taxes and no string; the plain one does.
    SetSumms({QStringLiteral("40")});
    Page->edtDiscountValue->setText(QStringLiteral("1"));
    Page->edtChargeValue->setText(QStringLiteral("0,5"));
    Page->edtDiscountOnCheck->setText(QStringLiteral("10"));
    Driver().setStringForPrinting(QStringLiteral("mark"));
    Driver().setTax1(0);
    TestRegister().Faults().FailNext(M::CloseCheckBel, OrvekResult::PrinterBusy);
    Page->btnCloseCheckBel->click();
    EXPECT_EQ(Driver().DiscountValue(), Rub);
    EXPECT_EQ(Driver().ChargeValue(), 5000);
    EXPECT_DOUBLE_EQ(Driver().DiscountOnCheck(), 10.0);
    EXPECT_EQ(Driver().StringForPrinting(), QStringLiteral("mark"));
    EXPECT_EQ(Driver().Tax1(), 0);
    EXPECT_TRUE(Receipt().IsOpen());
    // 37.50 less 10 % (3.75), less 1.00, plus 0.50: 33.25 of 40.00.
    Page->btnCloseCheckBel->click();
    EXPECT_EQ(Page->edtChange->text(), Driver().AmountToStr(6 * Rub + 7500));

    // A bad price after a good sum 1: the sum stays set, the price does not change.
    Page->edtSumm[0]->setText(QStringLiteral("3"));
    Page->edtPrice->setText(QStringLiteral("x"));
    TestRegister().ClearJournal();
    Page->btnSale->click();
    EXPECT_TRUE(Journal().empty());
    EXPECT_EQ(Driver().Summ1(), 3 * Rub);
    EXPECT_EQ(Driver().Price(), 12 * Rub + 5000);
}

// A fresh start: no status query before; the amounts keep their kopecks.
TEST_F(ReceiptPageTest, AmountsShowTheirKopecksFromTheFirstCall)
{
    const auto amount = [](const char* rubles, const char* kopecks) {
        return QLatin1String(rubles) + DecimalSeparator() + QLatin1String(kopecks);
    };
    Page->edtPrice->setText(QStringLiteral("12,99"));
    Page->btnSale->click();
    Page->btnCheckSubTotal->click();
    EXPECT_EQ(Page->edtCheckSubTotal->text(), amount("12", "99"));
    SetSumms({QStringLiteral("89,54")});
    Page->btnCloseCheck->click();
    EXPECT_EQ(Driver().ResultCode(), 0) << Driver().ResultCodeDescription().toStdString();
    EXPECT_EQ(Page->edtChange->text(), amount("76", "55"));
    EXPECT_EQ(TestRegister().CallCount(M::GetECRStatus), 0);
}

TEST_F(ReceiptPageTest, FullReceiptClosedWithExtraSumsAndChange)
{
    Page->cbCheckType->setCurrentIndex(1);  // "Покупка"
    SetSumms({QStringLiteral("1000")});
    Page->btnCashInCome->click();  // cash in the drawer to pay the purchase with
    Page->btnOpenCheck->click();
    EXPECT_EQ(Receipt().Type(), ReceiptType::Buy);
    Page->edtPrice->setText(QStringLiteral("250"));
    Page->edtQuantity->setText(QStringLiteral("2"));
    Page->cbTax[1]->setCurrentIndex(2);
    Page->btnBuy->click();
    SetSumms({QStringLiteral("5")});
    Page->btnDiscount->click();
    Page->btnCheckSubTotal->click();
    EXPECT_EQ(Page->edtCheckSubTotal->text(), Driver().AmountToStr(495 * Rub));

    WithDialog([](TfmExPayments2& d) {
        d.Edit(5)->setText(QStringLiteral("100"));
        d.Edit(14)->setText(QStringLiteral("200"));
        d.btnOk->click();
    });
    EXPECT_FALSE(fmExPayments2->isVisible());
    EXPECT_EQ(fmExPayments2->Summ[14], 200 * Rub);

    SetSumms({QStringLiteral("300")});
    Page->btnCloseCheckEx->click();
    EXPECT_EQ(Driver().ResultCode(), 0) << Driver().ResultCodeDescription().toStdString();
    EXPECT_EQ(Page->edtChange->text(), Driver().AmountToStr(105 * Rub));
    ASSERT_TRUE(Receipt().LastReceipt());
    const ReceiptDocument& doc = *Receipt().LastReceipt();
    EXPECT_EQ(doc.Type, ReceiptType::Buy);
    EXPECT_EQ(doc.Total, 495 * Rub);
    EXPECT_EQ(doc.Payments[5], 100 * Rub);
    EXPECT_EQ(doc.Payments[13], 0);
    EXPECT_EQ(doc.Payments[14], 200 * Rub);
    EXPECT_EQ(doc.Change, 105 * Rub);
    EXPECT_EQ(doc.Items.front().Taxes[1], 2);
    EXPECT_EQ(Receipt().CashRegister(CashReg::CashInDrawer), 805 * Rub);  // 1000 in, 195 paid out
    EXPECT_TRUE(TestRegister().Paper().Texts().contains(QStringLiteral("Строка для печати")));
}

TEST_F(ReceiptPageTest, ClosingsRefusedByTheRegisterClearTheirOutputs)
{
    Page->btnSale->click();
    SetSumms({QStringLiteral("50")});
    for (QPushButton* button : {Page->btnCloseCheck, Page->btnCloseCheckKPK, Page->btnCloseCheckEx,
                                Page->btnCloseCheckBel}) {
        Page->edtChange->setText(QStringLiteral("1.00"));
        Page->edtKPKStr->setText(QStringLiteral("old"));
        button->click();
        EXPECT_EQ(Driver().ResultCode(), OrvekResult::PaymentTooSmall) << button->objectName().toStdString();
        EXPECT_EQ(Driver().ResultCodeDescription(), QStringLiteral("Сумма оплаты меньше итога чека"));
        EXPECT_TRUE(Page->edtChange->text().isEmpty());
        EXPECT_EQ(Page->edtKPKStr->text().isEmpty(), button == Page->btnCloseCheckKPK);
    }
    EXPECT_TRUE(Receipt().IsOpen());

    SetSumms({QStringLiteral("100")});
    Page->btnCloseCheckKPK->click();
    EXPECT_EQ(Page->edtChange->text(), Driver().AmountToStr(0));
    EXPECT_EQ(Page->edtKPKStr->text(), Driver().KPKStr());
    EXPECT_FALSE(Page->edtKPKStr->text().isEmpty());

    // No receipt: the subtotal is refused and emptied.
    Page->edtCheckSubTotal->setText(QStringLiteral("1.00"));
    Page->btnCheckSubTotal->click();
    EXPECT_EQ(Driver().ResultCode(), OrvekResult::WrongMode);
    EXPECT_TRUE(Page->edtCheckSubTotal->text().isEmpty());
}

TEST_F(ReceiptPageTest, BadTextsStopBeforeTheDriverIsCalled)
{
    struct Case {
        QLineEdit* Edit;
        QString Text;
        QPushButton* Button;
        QString Message;
    };
    const QString notFloat = QStringLiteral("\"1x\" не является числом");
    const Case cases[] = {
        {Page->edtSumm[0], QStringLiteral("12a"), Page->btnSale, BadField(QStringLiteral("Summ1"))},
        {Page->edtPrice, QStringLiteral("-"), Page->btnStorno, BadField(QStringLiteral("Price"))},
        {Page->edtQuantity, QStringLiteral("1x"), Page->btnSale, notFloat},
        {Page->edtSumm[2], QStringLiteral("abc"), Page->btnCloseCheck, BadField(QStringLiteral("Summ3"))},
        {Page->edtSumm[2], QStringLiteral("abc"), Page->btnCloseCheckKPK, BadField(QStringLiteral("Summ3"))},
        {Page->edtSumm[2], QStringLiteral("abc"), Page->btnCloseCheckEx, BadField(QStringLiteral("Summ3"))},
        {Page->edtSumm[2], QStringLiteral("abc"), Page->btnCloseCheckBel, BadField(QStringLiteral("Summ3"))},
        {Page->edtChargeValue, QStringLiteral("1.2.3"), Page->btnCloseCheckBel, BadField(QStringLiteral("ChargeValue"))},
    };
    for (const Case& c : cases) {
        const QString before = c.Edit->text();
        c.Edit->setText(c.Text);
        TestDialogs().clear();
        Notified.clear();
        c.Button->click();
        EXPECT_EQ(TestDialogs().lastMessage(), c.Message) << c.Button->objectName().toStdString();
        EXPECT_TRUE(Journal().empty()) << c.Button->objectName().toStdString();
        EXPECT_EQ(Notified, QStringLiteral("SE"));
        EXPECT_TRUE(AllButtonsEnabled());
        c.Edit->setText(before);
    }
}

TEST_F(ReceiptPageTest, EveryOtherButtonCallsItsMethod)
{
    const std::pair<QPushButton*, OrvekMethod> buttons[] = {
        {Page->btnOpenCheck, M::OpenCheck},
        {Page->btnBuy, M::Buy},
        {Page->btnReturnSale, M::ReturnSale},
        {Page->btnReturnBuy, M::ReturnBuy},
        {Page->btnSaleEx, M::SaleEx},
        {Page->btnCharge, M::Charge},
        {Page->btnStornoCharge, M::StornoCharge},
        {Page->btnStornoDiscount, M::StornoDiscount},
        {Page->btnExciseOperation, M::ExcisableOperation},
        {Page->btnSysAdminCancelCheck, M::SysAdminCancelCheck},
        {Page->btnCashOutCome, M::CashOutcome},
        {Page->btnRepeatDocument, M::RepeatDocument},
        {Page->btnBeep, M::Beep},
        {Page->btnContinuePrint, M::ContinuePrint},
        {Page->btnCancelCheck, M::CancelCheck},
    };
    for (const auto& [button, method] : buttons) {
        TestRegister().ClearJournal();
        Driver().setOperationBlockFirstString(5);
        button->click();
        EXPECT_EQ(Journal().back(), method) << button->objectName().toStdString();
        // The cancel buttons reset OperationBlockFirstString whatever the answer.
        const bool cancel = button == Page->btnCancelCheck || button == Page->btnSysAdminCancelCheck;
        EXPECT_EQ(Driver().OperationBlockFirstString(), cancel ? 0 : 5) << button->objectName().toStdString();
    }
    EXPECT_EQ(Driver().ResultCode(), OrvekResult::WrongMode);  // no receipt was open to cancel

    // The excisable operation sends its own inputs.
    Page->cbOperationType->setCurrentIndex(4);  // "Сторно продажи"
    Page->seExciseCode->setValue(12);
    Page->edtBarcode->setText(QStringLiteral("4600000000001"));
    Page->btnExciseOperation->click();
    EXPECT_EQ(Driver().OperationType(), 16);
    EXPECT_EQ(Driver().ExciseCode(), 12);
    EXPECT_EQ(Driver().BarCode(), QStringLiteral("4600000000001"));
    EXPECT_EQ(Driver().StringForPrinting(), QStringLiteral("Строка для печати"));
}

TEST_F(ReceiptPageTest, CaptionsFollowModelParameter31)
{
    auto captions = [this] {
        return QStringList{Page->btnStorno->text(), Page->btnStornoCharge->text(), Page->btnStornoDiscount->text(),
                           Page->btnCancelCheck->text()};
    };
    const QStringList storno{"Сторно", "Сторно надбавки", "Сторно скидки", "Аннулировать"};
    const QStringList correction{"Коррекция", "Коррекция надбавки", "Коррекция скидки", "Отменить чек"};

    FreeDriver();
    TestRegister().ModelParams().Set(31, 3);
    Page->UpdatePage();
    EXPECT_FALSE(DriverExists());
    EXPECT_EQ(captions(), storno);

    Driver();
    Page->UpdatePage();
    EXPECT_EQ(captions(), correction);
    TestRegister().Faults().FailNext(M::ReadModelParamValue, OrvekResult::NoLink);
    TestRegister().ModelParams().Set(31, 1);
    Page->UpdatePage();
    EXPECT_EQ(captions(), correction);
    Page->UpdatePage();
    EXPECT_EQ(captions(), storno);
}

TEST_F(ReceiptPageTest, DialogKeepsItsSumsAcrossARestart)
{
    // A fresh installation: all 0, and the extended closing sends them.
    for (int n = 5; n <= 16; ++n)
        EXPECT_EQ(fmExPayments2->Summ[std::size_t(n)], 0);

    WithDialog([](TfmExPayments2& d) {
        d.Edit(7)->setText(QStringLiteral("7,5"));
        d.Edit(16)->setText(QStringLiteral("16"));
        d.btnOk->click();
    });
    EXPECT_EQ(fmExPayments2->ModalResult(), Dialogs::mrOk);
    // Typed, then the close box: the sums and the texts stay as accepted.
    WithDialog([](TfmExPayments2& d) {
        d.Edit(7)->setText(QStringLiteral("999"));
        d.close();
    });
    EXPECT_EQ(fmExPayments2->ModalResult(), Dialogs::mrCancel);
    EXPECT_EQ(fmExPayments2->Edit(7)->text(), QStringLiteral("7,5"));
    // Escape does what the close box does.
    WithDialog([](TfmExPayments2& d) {
        d.Edit(7)->setText(QStringLiteral("999"));
        QTest::keyClick(d.Edit(7), Qt::Key_Escape);
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(fmExPayments2->ModalResult(), Dialogs::mrCancel);
    EXPECT_EQ(fmExPayments2->Edit(7)->text(), QStringLiteral("7,5"));
    EXPECT_EQ(fmExPayments2->Summ[7], 7 * Rub + 5000);
    // A bad text on OK: the message, the dialog stays, no sum changes.
    WithDialog([](TfmExPayments2& d) {
        d.Edit(6)->setText(QStringLiteral("6"));
        d.Edit(9)->setText(QStringLiteral("x"));
        d.btnOk->click();
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(TestDialogs().lastMessage(), BadField(QStringLiteral("Summ9")));
    });
    EXPECT_EQ(fmExPayments2->Summ[6], 0);
    EXPECT_EQ(fmExPayments2->Edit(9)->text(), QStringLiteral("0"));

    // The restart stores and loads the accepted texts under the form's name.
    delete fmExPayments2;
    fmExPayments2 = new TfmExPayments2;
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(LumaqParamKey, false));
        EXPECT_EQ(reg.ReadString(QStringLiteral("fmExPayments2.edtSumm17")), QStringLiteral("16"));
        EXPECT_EQ(reg.ReadString(QStringLiteral("fmExPayments2.edtSumm7")), QStringLiteral("7,5"));
    }
    EXPECT_EQ(fmExPayments2->Summ[7], 7 * Rub + 5000);
    EXPECT_EQ(fmExPayments2->Summ[16], 16 * Rub);

    Page->btnSale->click();
    SetSumms({QStringLiteral("100")});
    Page->btnCloseCheckEx->click();
    ASSERT_TRUE(Receipt().LastReceipt());
    EXPECT_EQ(Receipt().LastReceipt()->Payments[16], 16 * Rub);
    EXPECT_EQ(Page->edtChange->text(), Driver().AmountToStr(23 * Rub + 5000));
}

TEST_F(ReceiptPageTest, OneBadStoredTextLeavesTheOtherSums)
{
    delete std::exchange(fmExPayments2, nullptr);
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(LumaqParamKey, true));
        reg.WriteString(QStringLiteral("fmExPayments2.edtSumm6"), QStringLiteral("6"));
        reg.WriteString(QStringLiteral("fmExPayments2.edtSumm7"), QStringLiteral("семь"));
        reg.WriteString(QStringLiteral("fmExPayments2.edtSumm8"), QStringLiteral("8"));
        reg.WriteString(QStringLiteral("fmExPayments2.edtSumm17"), QStringLiteral("x"));
    }
    TestDialogs().clear();
    fmExPayments2 = new TfmExPayments2;
    EXPECT_EQ(TestDialogs().messages(), QStringList{BadField(QStringLiteral("Summ7"))});
    EXPECT_EQ(fmExPayments2->Summ[6], 6 * Rub);
    EXPECT_EQ(fmExPayments2->Summ[7], 0);
    EXPECT_EQ(fmExPayments2->Summ[8], 8 * Rub);
    EXPECT_EQ(fmExPayments2->Summ[16], 0);
    EXPECT_EQ(fmExPayments2->Edit(7)->text(), QStringLiteral("семь"));
}
