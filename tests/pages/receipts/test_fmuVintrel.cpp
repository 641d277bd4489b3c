// The drawer, the error text and the Vintrel payment pages against the
// emulated register; the QR box is read back with zxing-cpp.
#include "pages/receipts/fmuCashCore.h"
#include "pages/receipts/fmuCashDrawer.h"
#include "pages/receipts/fmuVintrel.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterVintrel.h"
#include "tests/DriverTestSupport.h"
#include "tests/PaperDecode.h"
#include "tests/TestSupport.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <ZXing/ReadBarcode.h>
#include <gtest/gtest.h>

using M = OrvekMethod;

namespace {
// The text of the QR code the box shows; empty when none reads.
QString ShownQr(QWidget* box)
{
    const QImage picture = box->grab().toImage().convertToFormat(QImage::Format_Grayscale8);
    const ZXing::ImageView view(picture.constBits(), picture.width(), picture.height(), ZXing::ImageFormat::Lum,
                                int(picture.bytesPerLine()));
    const ZXing::Result result = ZXing::ReadBarcode(view);
    return result.isValid() ? QString::fromStdWString(result.text()) : QString();
}

class CashPagesTest : public DriverTest {
protected:
    void SetUp() override
    {
        DriverTest::SetUp();
        ClearPaperAndTrace();
    }
    std::vector<M> Calls() { return TestComponent().Trace().Methods(); }
};

class VintrelPageTest : public CashPagesTest {
protected:
    void SetUp() override
    {
        CashPagesTest::SetUp();
        Page = std::make_unique<TfmVintrel>();
        Page->resize(1120, 500);
        Page->show();
    }
    void TearDown() override
    {
        Page.reset();
        CashPagesTest::TearDown();
    }
    QStringList Log() const { return Page->memResult->toPlainText().split(QLatin1Char('\n')); }
    RegisterVintrel& Service() { return TestRegister().Area<RegisterVintrel>(); }

    std::unique_ptr<TfmVintrel> Page;
};
} // namespace

TEST_F(CashPagesTest, DrawerOpensAndShowsInTheStatus)
{
    TfmCashDrawer page;
    page.seDrawer->setValue(1);
    page.btnOpenDrawer->click();
    EXPECT_EQ(Driver().ResultCode(), 0);
    Driver().GetECRStatus();
    EXPECT_TRUE(Driver().IsDrawerOpen());
    page.seDrawer->setValue(5);
    page.btnOpenDrawer->click();
    EXPECT_EQ(Driver().ResultCode(), OrvekResult::BadParameter);
    EXPECT_TRUE(page.btnOpenDrawer->isEnabled());
}

TEST_F(CashPagesTest, ErrorDescriptionOnSuccessOnlyAndFailingReadKeepsTheText)
{
    TfmCashCore page;
    page.edtErrorCode->setValue(80);
    page.btnOpenDrawer->click();
    const QString described = OrvekResultDescription(80);
    EXPECT_EQ(page.edtErrorDescription->text(), described);
    TestRegister().Faults().FailNext(M::ReadErrorDescription, 50);
    page.edtErrorCode->setValue(79);
    page.btnOpenDrawer->click();
    EXPECT_EQ(Driver().ResultCode(), 50);
    EXPECT_EQ(page.edtErrorDescription->text(), described);
}

TEST_F(VintrelPageTest, ShowLinkDrawsTheEditsTextAndSurvivesRepaint)
{
    Page->edtCashRegisterCode->setText(QStringLiteral("https://qr.example/abc"));
    Page->btnShowLink->click();
    EXPECT_EQ(ShownQr(Page->pbQr), QStringLiteral("https://qr.example/abc"));
    EXPECT_EQ(Page->QRCode(), QStringLiteral("https://qr.example/abc"));
    Page->hide();
    Page->show();
    Page->repaint();
    EXPECT_EQ(ShownQr(Page->pbQr), QStringLiteral("https://qr.example/abc"));

    Page->edtCashRegisterCode->clear();
    Page->btnShowLink->click();
    EXPECT_EQ(ShownQr(Page->pbQr), QStringLiteral("https://qr.example/abc"));
    EXPECT_EQ(Page->QRCode(), QStringLiteral("https://qr.example/abc"));
    EXPECT_TRUE(Calls().empty());

    Page->edtCashRegisterCode->setText(QStringLiteral("Оплата: кофе и булочка"));
    Page->btnShowLink->click();
    EXPECT_EQ(ShownQr(Page->pbQr), QStringLiteral("Оплата: кофе и булочка"));
}

TEST_F(VintrelPageTest, PayloadTooLongForAQrKeepsThePicture)
{
    Page->edtCashRegisterCode->setText(QStringLiteral("https://qr.example/abc"));
    Page->btnShowLink->click();
    Page->edtCashRegisterCode->setText(QString(8000, QLatin1Char('x')));
    Page->btnShowLink->click();
    EXPECT_TRUE(TestDialogs().lastMessage().startsWith(QStringLiteral("Не удалось построить QR-код")))
        << TestDialogs().lastMessage().toStdString();
    EXPECT_EQ(ShownQr(Page->pbQr), QStringLiteral("https://qr.example/abc"));
    EXPECT_EQ(Page->QRCode(), QStringLiteral("https://qr.example/abc"));
}

TEST_F(VintrelPageTest, CreateCheckCancelAndRefundLogTheirLines)
{
    Page->btnCreatePayData->click();
    const QString id = Page->edtServerPaymentID->text();
    ASSERT_FALSE(id.isEmpty());
    EXPECT_FALSE(Page->edtClientPaymentID->text().isEmpty());
    EXPECT_EQ(ShownQr(Page->pbQr), QStringLiteral("https://qr.vintrel.example/pay/") + id);
    EXPECT_EQ(Service().Find(id)->Amount, 105000);

    Service().SetStatus(id, VintrelStatus::Paid);
    Page->edtServerPaymentID->setText(QStringLiteral("typed by hand"));
    Page->btnCheckStatus->click();
    Page->edtServerPaymentID->setText(id);
    Page->edtSum->setText(QStringLiteral("10.50"));
    Page->btnRefund->click();
    Page->btnCancel->click();
    const QStringList log = Log();
    ASSERT_EQ(log.size(), 10) << log.join('\n').toStdString();
    EXPECT_EQ(log[0], QStringLiteral("CREATE PAY DATA"));
    EXPECT_TRUE(log[1].startsWith(QStringLiteral("Processing response: {")));
    EXPECT_EQ(log.mid(2, 3), (QStringList{"STATUS", "Pay status:4 [успешно выполнен]", "Is status final: True"}));
    EXPECT_EQ(log.mid(6, 2), (QStringList{"REFUND", "Pay status:8 [возвращен полностью]"}));
    EXPECT_EQ(log[9], QStringLiteral("CANCEL"));  // a refunded payment cannot be cancelled
    EXPECT_EQ(Driver().ResultCode(), -30);
    EXPECT_EQ(Service().Find(id)->Status, VintrelStatus::Refunded);
}

// A failed payment shows neither the ids nor the QR of the one before, and
// has nothing to print.
TEST_F(VintrelPageTest, AFailedPaymentClearsTheQrWithTheIds)
{
    for (QPushButton* button : {Page->btnCreatePayData, Page->btnCreatePayDataByLink}) {
        SCOPED_TRACE(button->text().toStdString());
        Page->edtCashRegisterCode->clear();
        Page->btnCreatePayData->click();
        ASSERT_FALSE(ShownQr(Page->pbQr).isEmpty());
        TestRegister().Faults().FailNext(
            button == Page->btnCreatePayData ? M::VintrelCreatePayData : M::VintrelCreatePayDataByCode, 50);
        button->click();
        EXPECT_EQ(Driver().ResultCode(), 50);
        EXPECT_EQ(Page->edtServerPaymentID->text(), QString());
        EXPECT_EQ(Page->edtClientPaymentID->text(), QString());
        EXPECT_EQ(ShownQr(Page->pbQr), QString());
        EXPECT_EQ(Page->QRCode(), QString());
    }
}

TEST_F(VintrelPageTest, StatusTextsAndCancelResponseLine)
{
    EXPECT_EQ(StatusCodeToStr(0), QStringLiteral("Неизвестный"));
    EXPECT_EQ(StatusCodeToStr(9), QStringLiteral("в процессе возврата"));
    Page->btnCreatePayData->click();
    Page->btnCancel->click();
    const QStringList log = Log();
    EXPECT_EQ(log[3], QStringLiteral("Pay status:6 [отменен]"));
    EXPECT_TRUE(log[4].startsWith(QStringLiteral("Processing respnose: ")));
    Service().SetStatus(Page->edtServerPaymentID->text(), 0);
    Page->btnCheckStatus->click();
    EXPECT_EQ(Log()[6], QStringLiteral("Pay status:0 [Неизвестный]"));
    EXPECT_EQ(Log()[7], QStringLiteral("Is status final: False"));
}

// An amount the page refuses: its message, and nothing logged, emptied or sent.
TEST_F(VintrelPageTest, BadAmountShowsTheMessageAndSendsNothing)
{
    Page->edtServerPaymentID->setText(QStringLiteral("old"));
    Page->edtClientPaymentID->setText(QStringLiteral("old"));
    Page->edtSum->setText(QStringLiteral("abc"));
    for (QPushButton* button : {Page->btnCreatePayData, Page->btnCreatePayDataByLink, Page->btnRefund}) {
        SCOPED_TRACE(button->objectName().toStdString());
        TestDialogs().clear();
        button->click();
        EXPECT_EQ(TestDialogs().lastMessage(), QStringLiteral("Некорректное значение в поле\r\n\"Summ1\""));
        EXPECT_TRUE(Page->memResult->toPlainText().isEmpty());
        EXPECT_EQ(Page->edtServerPaymentID->text(), QStringLiteral("old"));
        EXPECT_EQ(Page->edtClientPaymentID->text(), QStringLiteral("old"));
        EXPECT_TRUE(Calls().empty());
        EXPECT_TRUE(button->isEnabled());
    }
}

TEST_F(VintrelPageTest, CashRegisterLinkIsMadeDrawnAndPaidOn)
{
    Page->btnCreateCashRegisterCode->click();
    const QString link = Driver().VintrelCashRegisterCode();
    EXPECT_EQ(Page->edtCashRegisterCode->text(), link);
    EXPECT_EQ(ShownQr(Page->pbQr), link);
    EXPECT_TRUE(Calls() == (std::vector<M>{M::VintrelCreateCashRegisterCode, M::SaveParams}));

    Page->edtCashRegisterCode->setText(QStringLiteral("https://qr.vintrel.example/cr/typed"));
    TestRegister().Faults().FailNext(M::VintrelCreatePayDataByCode, 50);
    Page->btnCreatePayDataByLink->click();
    EXPECT_EQ(ShownQr(Page->pbQr), QStringLiteral("https://qr.vintrel.example/cr/typed"));  // drawn before the call
    EXPECT_EQ(Driver().ResultCode(), 50);

    Page->edtCashRegisterCode->setText(link);
    Page->btnCreatePayDataByLink->click();
    EXPECT_EQ(Driver().ResultCode(), 0);
    EXPECT_FALSE(Page->edtServerPaymentID->text().isEmpty());
    EXPECT_EQ(Service().Find(Page->edtServerPaymentID->text())->Link, link);

    Page->UpdateObject();
    EXPECT_EQ(Driver().VintrelCashRegisterCode(), link);
    Driver().setVintrelCashRegisterCode(QStringLiteral("from the driver"));
    Page->UpdatePage();
    EXPECT_EQ(Page->edtCashRegisterCode->text(), QStringLiteral("from the driver"));
}

TEST_F(VintrelPageTest, PrintShowsTheQrAndTheAmountSentForIt)
{
    Page->btnPrintQR->click();
    EXPECT_TRUE(Calls().empty());

    Page->edtSum->setText(QStringLiteral("7.25"));
    Page->btnCreatePayData->click();
    const QString link = Driver().BarCode();
    Driver().setBarCode(QStringLiteral("before"));
    Page->edtSum->setText(QStringLiteral("99"));
    TestComponent().Trace().Clear();
    Page->btnPrintQR->click();
    EXPECT_EQ(Calls(), (std::vector<M>{M::LoadAndPrint2DBarcode, M::WaitForPrinting, M::PrintString,
                                       M::WaitForPrinting, M::GetFontMetrics, M::PrintString, M::WaitForPrinting,
                                       M::FeedDocument}));
    const auto& items = TestRegister().Paper().Items();
    ASSERT_FALSE(items.empty());
    const auto decoded = DecodePaperItem(items.front());
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->Text, link);
    const int width = [] {
        Driver().setFontType(1);
        Driver().GetFontMetrics();
        return Driver().PrintWidth() / Driver().CharWidth();
    }();
    EXPECT_TRUE(TestRegister().Paper().Texts().contains(
        GetCenterAlignedString(QStringLiteral("Сумма к оплате: 7.25руб."), width)));
    EXPECT_EQ(Driver().BarCode(), QStringLiteral("before"));

    // A link alone prints the edit's amount.
    Page->edtCashRegisterCode->setText(QStringLiteral("https://qr.example/abc"));
    Page->btnShowLink->click();
    TestRegister().Paper().Clear();
    Page->btnPrintQR->click();
    EXPECT_TRUE(TestRegister().Paper().Texts().contains(
        GetCenterAlignedString(QStringLiteral("Сумма к оплате: 99руб."), width)));
}

TEST_F(VintrelPageTest, FailingPrintStepRestoresBarCode)
{
    Page->edtCashRegisterCode->setText(QStringLiteral("https://qr.example/abc"));
    Page->btnShowLink->click();
    Driver().setBarCode(QStringLiteral("kept"));
    TestRegister().Faults().FailNext(M::PrintString, 80);
    Page->btnPrintQR->click();
    EXPECT_EQ(Driver().ResultCode(), 80);
    EXPECT_EQ(Driver().BarCode(), QStringLiteral("kept"));
    EXPECT_TRUE(Page->btnPrintQR->isEnabled());
    EXPECT_EQ(TestRegister().CallCount(M::FeedDocument), 0);
}

TEST(VintrelText, CenterAlignedString)
{
    EXPECT_EQ(GetCenterAlignedString(QStringLiteral("abc"), 8), QStringLiteral("  abc"));
    EXPECT_EQ(GetCenterAlignedString(QStringLiteral("abc"), 3), QStringLiteral("abc"));
    EXPECT_EQ(GetCenterAlignedString(QStringLiteral("abcdef"), 4), QStringLiteral("abcdef"));
}
