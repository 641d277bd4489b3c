// The pages "Дата и время", "Программирование", "Обнуление", "Авторизация"
// and "Перезагрузка" against the emulated register.
#include "pages/service/fmuAuthKey.h"
#include "pages/service/fmuDateTime.h"
#include "pages/service/fmuReboot.h"
#include "pages/service/fmuResetSettings.h"
#include "pages/service/fmuWriteSerial.h"

#include "emulator/RegisterReceipt.h"
#include "emulator/RegisterServiceKeys.h"
#include "tests/DriverTestSupport.h"
#include "tests/TestSupport.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

using M = OrvekMethod;
using P = OrvekProp;

namespace {
class ServiceOperationsTest : public DriverTest {
protected:
    void SetUp() override
    {
        DriverTest::SetUp();
        Driver().setPassword(30);
        TestComponent().Trace().Clear();
    }
    static std::vector<M> Methods() { return TestComponent().Trace().Methods(); }
};
} // namespace

TEST_F(ServiceOperationsTest, CurrentDateAndTimeComeFromOneReadingOfTheClock)
{
    TfmDateTime page;
    // The clock passes midnight between the steps.
    const QDate day(2031, 3, 14);
    int readings = 0;
    page.Now = [&] {
        return ++readings == 1 ? QDateTime(day, QTime(23, 59, 59, 900)) : QDateTime(day.addDays(1), QTime(0, 0, 0, 100));
    };
    page.btnSetCurrentDateTime->click();
    EXPECT_EQ(Methods(), (std::vector<M>{M::SetDate, M::ConfirmDate, M::SetTime}));
    const QDateTime clock = TestRegister().Now();
    EXPECT_EQ(clock.date(), day);
    EXPECT_GE(clock.time(), QTime(23, 59, 59));

    // None after a refused SetDate.
    TestComponent().Trace().Clear();
    TestRegister().Faults().FailNext(M::SetDate, -1);
    page.btnSetCurrentDateTime->click();
    EXPECT_EQ(Methods(), std::vector<M>{M::SetDate});
    EXPECT_EQ(TestRegister().Now().date(), day);
}

TEST_F(ServiceOperationsTest, DateAndTimeFromThePickersAndTheTickingLabel)
{
    TfmDateTime page;
    page.dtpDate->setDate(QDate(2030, 2, 3));
    page.btnSetDate->click();
    page.btnConfirmDate->click();
    page.dtpTime->setTime(QTime(10, 11, 12));
    page.btnSetTime->click();
    EXPECT_EQ(TestRegister().Now().date(), QDate(2030, 2, 3));
    EXPECT_EQ(TestRegister().Now().time().hour(), 10);
    EXPECT_EQ(TestRegister().Now().time().minute(), 11);
    // Confirming a date that was not set is refused.
    page.dtpDate->setDate(QDate(2030, 2, 4));
    page.btnConfirmDate->click();
    EXPECT_EQ(Driver().ResultCode(), OrvekResult::WrongMode);

    page.Now = [] { return QDateTime(QDate(2029, 1, 2), QTime(3, 4, 5)); };
    page.btnCurrentDate->click();
    page.btnCurrentTime->click();
    EXPECT_EQ(page.dtpDate->date(), QDate(2029, 1, 2));
    EXPECT_EQ(page.dtpTime->time(), QTime(3, 4, 5));
    // The label ticks every second, shown or not.
    EXPECT_TRUE(page.Timer->isActive());
    EXPECT_EQ(page.Timer->interval(), 1000);
    page.TimerTimer();
    EXPECT_EQ(page.lblDateTime->text(), QStringLiteral("02.01.2029  03:04:05"));
}

TEST_F(ServiceOperationsTest, SerialNumberPointPositionAndServicePassword)
{
    TfmWriteSerial page;
    // The factory number goes only over zeros.
    page.edtSerialNumber->setText(QStringLiteral("0000000000777777"));
    page.btnSetSerialNumber->click();
    EXPECT_EQ(Driver().ResultCode(), OrvekResult::WrongMode);
    TestRegister().State().Serial = QStringLiteral("0000000000000000");
    page.btnSetSerialNumber->click();
    EXPECT_EQ(TestRegister().State().Serial, QStringLiteral("0000000000777777"));

    for (auto [item, flag] : {std::pair{1, true}, std::pair{0, false}, std::pair{1, true}}) {
        page.cbPointPosition->setCurrentIndex(item);
        page.btnSetPointPosition->click();
        EXPECT_EQ(TestRegister().Flag(EcrFlag::PointPosition), flag) << item;
    }

    // A text that is no integer is refused before any call.
    for (auto [old, next] : {std::pair{"12a", "5"}, std::pair{"0", "1.5"}, std::pair{"", "5"}}) {
        TestComponent().Trace().Clear();
        TestDialogs().clear();
        page.edtSCPassword->setText(QString::fromLatin1(old));
        page.edtNewSCPassword->setText(QString::fromLatin1(next));
        page.btnSetSCPassword->click();
        EXPECT_TRUE(Methods().empty()) << old << " " << next;
        EXPECT_EQ(TestDialogs().messages().size(), 1);
        EXPECT_TRUE(page.btnSetSCPassword->isEnabled());
    }
    page.edtSCPassword->setText(QStringLiteral("0"));
    page.edtNewSCPassword->setText(QStringLiteral("12345678"));
    page.btnSetSCPassword->click();
    EXPECT_EQ(TestRegister().Area<RegisterServiceKeys>().SCPassword, 12345678);
    // The old password is wrong now; nine digits are too many.
    page.btnSetSCPassword->click();
    EXPECT_EQ(Driver().ResultCode(), OrvekResult::BadPassword);
    page.edtSCPassword->setText(QStringLiteral("12345678"));
    page.edtNewSCPassword->setText(QStringLiteral("123456789"));
    page.btnSetSCPassword->click();
    EXPECT_EQ(Driver().ResultCode(), OrvekResult::BadParameter);
    EXPECT_EQ(TestRegister().Area<RegisterServiceKeys>().SCPassword, 12345678);
}

TEST_F(ServiceOperationsTest, ResetsNeedAClosedSessionAndEEPROMAModelWithIt)
{
    TfmResetSettings page;
    RegisterReceipt& receipt = TestRegister().Area<RegisterReceipt>();
    receipt.SetCashRegister(CashReg::CashInDrawer, 5000000);
    TestRegister().Tables().SetValue(1, 1, 1, 7);

    TestRegister().State().Mode = 2;
    TestRegister().State().SessionOpen = true;
    page.btnResetSummary->click();
    EXPECT_EQ(Driver().ResultCode(), OrvekResult::WrongMode);
    TestRegister().State().Mode = 4;
    TestRegister().State().SessionOpen = false;

    page.btnResetSummary->click();
    EXPECT_EQ(receipt.CashRegister(CashReg::CashInDrawer), 0);
    EXPECT_EQ(TestRegister().Tables().Value(1, 1, 1).toInt(), 7);
    page.btnResetSettings->click();
    EXPECT_EQ(TestRegister().Tables().Value(1, 1, 1).toInt(), 1);
    EXPECT_EQ(TestRegister().Paper().Texts().mid(TestRegister().Paper().Texts().size() - 2),
              (QStringList{"ОБЩЕЕ ГАШЕНИЕ", "ТЕХНОЛОГИЧЕСКОЕ ОБНУЛЕНИЕ"}));

    page.btnInitEEPROM->click();
    EXPECT_EQ(Driver().ResultCode(), OrvekResult::CommandNotSupported);
    TestRegister().ModelParams().Set(57, true);
    TestRegister().Area<RegisterServiceKeys>().SCPassword = 99;
    page.btnInitEEPROM->click();
    EXPECT_EQ(Driver().ResultCode(), 0);
    EXPECT_EQ(TestRegister().Area<RegisterServiceKeys>().SCPassword, 0);
}

TEST_F(ServiceOperationsTest, AuthorisationKeyEmptiesTheEditOnlyOnSuccess)
{
    TfmAuthKey page;
    const QString key = QStringLiteral("00112233445566778899AABBCCDDEEFF");
    struct Step {
        QPushButton* Button;
        QString Text;
        std::int32_t Code;
    };
    const Step steps[] = {
        {page.btnRewriteAuthKey, key, OrvekResult::WrongMode},          // none to rewrite
        {page.btnWriteAuthKey, QStringLiteral("0011"), OrvekResult::BadParameter},
        {page.btnWriteAuthKey, key.left(31) + QLatin1Char('G'), OrvekResult::BadParameter},
        {page.btnWriteAuthKey, key, 0},
        {page.btnWriteAuthKey, key, OrvekResult::WrongMode},            // written already
        {page.btnRewriteAuthKey, QStringLiteral("FF EE DD CC BB AA 99 88 77 66 55 44 33 22 11 00"), 0},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE((s.Button->objectName() + QLatin1Char(' ') + s.Text).toStdString());
        page.edtAuthKey->setText(s.Text);
        s.Button->click();
        EXPECT_EQ(Driver().ResultCode(), s.Code);
        EXPECT_EQ(page.edtAuthKey->text(), s.Code == 0 ? QString() : s.Text);
    }
    EXPECT_EQ(TestRegister().Area<RegisterServiceKeys>().AuthKey, QByteArray::fromHex("FFEEDDCCBBAA99887766554433221100"));
    page.btnResetAuthKey->click();
    EXPECT_TRUE(TestRegister().Area<RegisterServiceKeys>().AuthKey.isEmpty());
}

TEST_F(ServiceOperationsTest, RebootDropsTheLinkAndCancelsTheOpenReceipt)
{
    TfmReboot page;
    Driver().setCheckType(0);
    ASSERT_EQ(Driver().OpenCheck(), 0);
    ASSERT_TRUE(Driver().Connected());
    page.btnReboot->click();
    EXPECT_EQ(Driver().ResultCode(), 0);
    EXPECT_FALSE(Driver().Connected());
    EXPECT_FALSE(TestRegister().Area<RegisterReceipt>().IsOpen());
    ASSERT_EQ(Driver().GetECRStatus(), 0);
    EXPECT_EQ(Driver().ECRMode(), 2);
}
