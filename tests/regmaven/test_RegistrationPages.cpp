#include "core/support/RNMUtil.h"
#include "emulator/RegisterFN.h"
#include "platform/ui/EditLimit.h"
#include "regmaven/fmuFFD.h"
#include "regmaven/fmuFiscalizationBefore.h"
#include "regmaven/fmuINN.h"
#include "regmaven/fmuOFDParams.h"
#include "regmaven/fmuReasonCodes.h"
#include "regmaven/fmuSelectClientType.h"
#include "regmaven/fmuUserParams.h"
#include "regmaven/fmuWorkMode.h"
#include "regmaven/untInputChecks.h"
#include "tests/EditLimitCheck.h"
#include "tests/regmaven/RegistrationPageTest.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

using namespace Regmaven;

namespace {

const QString Email = QStringLiteral("Введен некорректный E-mail отправителя");

QString Required(const QString& name)
{
    return "Введите значение \"" + name + "\"!";
}

} // namespace

TEST_F(RegistrationPageTest, ClientTypeSetsYurAndGoesToFFD)
{
    auto& page = Show<TfmSelectClientType>();
    EXPECT_EQ(page.listBox->currentRow(), 0);
    EXPECT_EQ(NextMessage(page), "");
    EXPECT_TRUE(Controller().Yur);
    EXPECT_TRUE(WentTo<TfmFFD>());
    page.listBox->setCurrentRow(1);
    page.Next();
    EXPECT_FALSE(Controller().Yur);
}

TEST_F(RegistrationPageTest, ChoiceListsAndNumberEditsAsShown)
{
    // A font whose digits are as wide as any letter.
    const QFont font = QApplication::font();
    QApplication::setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    const auto restore = qScopeGuard([&font] { QApplication::setFont(font); });
    // The client types stand at the top, as the other choice lists do.
    auto& client = Show<TfmSelectClientType>();
    QApplication::processEvents();
    ASSERT_GT(client.height(), 300);
    EXPECT_EQ(client.listBox->y(), 40);
    EXPECT_EQ(client.listBox->x(), (client.width() - client.listBox->width()) / 2);
    // The INN and RNM edits ask for room to show 20 digits whole.
    auto& inn = Show<TfmINN>();
    const QString digits(20, u'0');
    for (QLineEdit* edit : {inn.edtINN, inn.edtRNM}) {
        const int asked = edit->sizeHint().expandedTo(edit->minimumSize()).width();
        // less the frame and the text margins
        EXPECT_GE(asked - 8, edit->fontMetrics().horizontalAdvance(digits)) << edit->objectName().toStdString();
    }
}

TEST_F(RegistrationPageTest, CashierINNOfAnEarlierRoadIsGone)
{
    auto& page = Show<TfmUserParams>();
    page.edtCashierINN->setText("7707083893");
    Controller().RegParams.FFD = 1;
    EXPECT_EQ(NextMessage(page), "");
    EXPECT_EQ(Controller().RegParams.CashierINN, "7707083893");
    // Back and forth on the same road keeps it; a new work type clears it.
    Show<TfmUserParams>();
    EXPECT_EQ(page.edtCashierINN->text(), "7707083893");
    Controller().ClearRegParams();
    Show<TfmUserParams>();
    EXPECT_EQ(page.edtCashierINN->text(), "");
}

TEST_F(RegistrationPageTest, FFDQuestionByFirmwareVersion)
{
    struct Case {
        QString Version;
        bool Asked;
    };
    for (const Case& c : {Case{"C.3", false}, Case{"C.4", false}, Case{"E.3", false}, Case{"D.9", false},
                          Case{"C.2", true}, Case{"B.7", true}}) {
        SCOPED_TRACE(c.Version.toStdString());
        RegisterConfig config;
        config.SoftVersion = c.Version;
        Bench().Clear();
        Bench().Add(config);
        Regmaven::FreeDriver();
        FForm.reset();
        TestDialogs().clear();
        Controller().RegParams.FFD = 255;
        auto& page = Show<TfmFFD>();
        page.cbbFFD->setCurrentIndex(1);
        EXPECT_EQ(NextMessage(page), "");
        EXPECT_EQ(TestDialogs().messages().size(), c.Asked ? 1 : 0);
        // Cancel (the default) keeps the wizard on the page.
        EXPECT_EQ(WentTo<TfmOFDParams>(), !c.Asked);
        EXPECT_EQ(Controller().RegParams.FFD, c.Asked ? 255 : 4);
    }
    // FFD 1.05 asks nothing.
    auto& page = Show<TfmFFD>();
    page.cbbFFD->setCurrentIndex(0);
    TestDialogs().clear();
    page.Next();
    EXPECT_TRUE(TestDialogs().messages().isEmpty());
    EXPECT_EQ(Controller().RegParams.FFD, 2);
}

TEST_F(RegistrationPageTest, FFDShowsTheRegistersVersion)
{
    TestRegister().Tables().SetValue(17, 1, 17, 4);
    EXPECT_EQ(Show<TfmFFD>().cbbFFD->currentText(), "ФФД 1.2");
    TestRegister().Tables().SetValue(17, 1, 17, 3);
    EXPECT_EQ(Show<TfmFFD>().cbbFFD->currentText(), "ФФД 1.05");
}

TEST_F(RegistrationPageTest, UserParamsNextChecks)
{
    struct Case {
        QString User, Operator, Address, Place, Email, CashierINN;
        int FFD;
        QString Message;
    };
    const Case cases[] = {
        {"", "Оп", "", "", "a@b", "", 4, Required("Наименование организации")},
        {"   ", "Оп", "", "", "a@b", "", 4, Required("Наименование организации")},
        {"ООО", "", "", "", "a@b", "", 4, Required("Имя оператора")},
        // Both empty pass; the address alone empty does not.
        {"ООО", "Оп", "", "", "a@b", "", 4, ""},
        {"ООО", "Оп", "", "Зал", "a@b", "", 4, Required("Адрес организации")},
        {"ООО", "Оп", "Адрес", "Зал", "", "", 4, Required("E-mail отправителя")},
        {"ООО", "Оп", "Адрес", "Зал", "@ab", "", 4, Email},
        {"ООО", "Оп", "Адрес", "Зал", "ab@", "", 4, Email},
        {"ООО", "Оп", "Адрес", "Зал", "abc", "", 4, Email},
        {"ООО", "Оп", "Адрес", "Зал", "@a@b", "", 4, Email},
        {"ООО", "Оп", "Адрес", "Зал", "a@b", "", 4, ""},
        // FFD 1.0 needs no e-mail.
        {"ООО", "Оп", "Адрес", "Зал", "", "", 1, ""},
        {"ООО", "Оп", "Адрес", "Зал", "a@b", "7707083893", 4, ""},
        {"ООО", "Оп", "Адрес", "Зал", "a@b", "7707083890", 4, "Введен невалидный \"ИНН кассира\" !"},
        // A letter in the INN is the conversion error, naming the field.
        {"ООО", "Оп", "Адрес", "Зал", "a@b", "77O7083893", 4, "ИНН кассира: \"O\" не является целым числом"},
        {"ООО", "Оп", "Адрес", "Зал", "a@b", "77070838", 4, "Введен невалидный \"ИНН кассира\" !"},
    };
    auto& page = Show<TfmUserParams>();
    for (const Case& c : cases) {
        SCOPED_TRACE((c.Email + " " + c.Message).toStdString());
        Controller().RegParams.FFD = c.FFD;
        page.edtUser->setText(c.User);
        page.edtOperator->setText(c.Operator);
        page.edtAddress->setText(c.Address);
        page.edtPaymentPlace->setText(c.Place);
        page.edtSenderEmail->setText(c.Email);
        page.edtCashierINN->setText(c.CashierINN);
        EXPECT_EQ(NextMessage(page), c.Message);
        EXPECT_EQ(WentTo<TfmINN>(), c.Message.isEmpty());
    }
    EXPECT_EQ(Controller().RegParams.CashierINN, "7707083893");
    EXPECT_EQ(Controller().RegParams.PayPlace, "Зал");
}

TEST_F(RegistrationPageTest, UserParamsAsksForAMissingSettlementPlace)
{
    auto& page = Show<TfmUserParams>();
    Controller().RegParams.FFD = 4;
    page.edtPaymentPlace->clear();
    page.edtSenderEmail->setText("a@b");
    EXPECT_EQ(NextMessage(page), Required("Место расчетов"));
    EXPECT_EQ(TestDialogs().lastMessage(), "Не введено место расчета\r\nПродолжить?\r\n");
    TestDialogs().answerMessage(Dialogs::mrOk);
    EXPECT_EQ(NextMessage(page), "");
    EXPECT_EQ(Controller().RegParams.PayPlace, "");
}

TEST_F(RegistrationPageTest, UserParamsPrefillFromTheRegister)
{
    auto& page = Show<TfmUserParams>();
    EXPECT_EQ(page.edtUser->text(), "ООО \"Эмулятор\"");
    EXPECT_EQ(page.edtOperator->text(), "Кассир Иванова");
    EXPECT_EQ(page.edtPaymentPlace->text(), "Торговый зал");
    Controller().RegParams.User = "ИП Петров";
    TestRegister().Faults().FailWhen(OrvekMethod::ReadTable, OrvekProp::FieldNumber, 14, 93);
    Show<TfmUserParams>();
    EXPECT_EQ(page.edtUser->text(), "ИП Петров");
    EXPECT_EQ(page.edtPaymentPlace->text(), "");
}

TEST_F(RegistrationPageTest, INNLengthAndRegistrationNumber)
{
    Controller().RegParams.FirstTime = true;
    Controller().Yur = true;
    auto& page = Show<TfmINN>();
    EXPECT_EQ(EditLimit(page.edtINN), 10);
    EXPECT_TRUE(page.edtINN->isEnabled());
    EXPECT_EQ(page.edtRNM->backgroundRole(), QPalette::Base);
    EXPECT_TRUE(page.lblInfo->isHidden());
    Controller().Yur = false;
    Show<TfmINN>();
    EXPECT_EQ(EditLimit(page.edtINN), 12);

    const QString serial = TestRegister().State().Serial;
    const QString inn = "7707083893";
    const QString rnm = GenerateRNM(QStringLiteral("0000000001"), inn, serial);
    page.edtINN->setText("7707083890");
    EXPECT_EQ(NextMessage(page), "Введен некорректный ИНН!");
    page.edtINN->setText(inn);
    EXPECT_EQ(NextMessage(page), "Введите РНМ!");
    page.edtRNM->setText(rnm);
    EXPECT_EQ(NextMessage(page), "");
    EXPECT_TRUE(TestDialogs().messages().isEmpty());
    EXPECT_EQ(Controller().RegParams.RNM, rnm);

    Controller().RegParams.RNM.clear();
    page.edtRNM->setText("0000000001000000");
    EXPECT_EQ(NextMessage(page), "");
    EXPECT_EQ(TestDialogs().lastMessage(), "Введен некорректный РНМ для данной ККТ\r\nВсе равно продолжить?");
    EXPECT_FALSE(WentTo<TfmWorkMode>());
    EXPECT_EQ(Controller().RegParams.RNM, "");
}

TEST_F(RegistrationPageTest, INNOfAReregistrationComesFromTheRegister)
{
    Controller().RegParams.FirstTime = false;
    Controller().RegParams.NewFN = false;
    Controller().Yur = true;
    auto& page = Show<TfmINN>();
    EXPECT_EQ(page.edtINN->text(), TestRegister().Area<RegisterFN>().Registration.INN);
    EXPECT_EQ(page.edtRNM->text(), TestRegister().Area<RegisterFN>().Registration.KKTRegistrationNumber);
    EXPECT_FALSE(page.edtINN->isEnabled());
    // Disabled edits are on the button face.
    EXPECT_EQ(page.edtINN->backgroundRole(), QPalette::Button);
    EXPECT_EQ(page.edtRNM->backgroundRole(), QPalette::Button);
    EXPECT_FALSE(page.lblInfo->isHidden());
    EXPECT_EQ(NextMessage(page), "");
    EXPECT_TRUE(TestDialogs().messages().isEmpty());
}

// The client type limits what is typed; the register's INN of a
// re-registration stays whole, and the INN check judges what is there.
TEST_F(RegistrationPageTest, TheClientTypeLimitsTypingOnly)
{
    const QString inn = "500100732259";
    const QString serial = TestRegister().State().Serial;
    Controller().RegParams.FirstTime = false;
    Controller().RegParams.NewFN = true;
    Controller().Yur = true;
    TestRegister().Tables().SetValue(18, 1, 2, inn);
    TestRegister().Tables().SetValue(18, 1, 3, GenerateRNM(QStringLiteral("0000000001"), inn, serial));
    auto& page = Show<TfmINN>();
    ASSERT_TRUE(page.edtINN->isEnabled());
    EXPECT_EQ(EditLimit(page.edtINN), 10);
    EXPECT_EQ(page.edtINN->text(), inn);
    EXPECT_EQ(NextMessage(page), "");
    EXPECT_EQ(Controller().RegParams.INN, inn);

    page.edtINN->setText(inn + "0");
    EXPECT_EQ(NextMessage(page), "Введен некорректный ИНН!");
    page.edtINN->clear();
    QTest::keyClicks(page.edtINN, inn);
    EXPECT_EQ(page.edtINN->text(), inn.left(10));
}

TEST_F(RegistrationPageTest, EveryPagesLimitsHoldForTypingAndPastingOnly)
{
    Controller().RegParams.FirstTime = true;
    Show<TfmINN>();
    ExpectEditLimitsHold(FForm.get());
}

TEST_F(RegistrationPageTest, ReasonCodesSetAndGetWithTag31)
{
    TfmReasonCodes dialog;
    ASSERT_NE(dialog.FindCheckBox(31), nullptr);
    EXPECT_EQ(dialog.FindCheckBox(22), nullptr);
    for (uint32_t code : {0u, 1u, 0x3FFFFFu, 0x80000001u, 0xFFFFFFFFu}) {
        dialog.SetCode(code);
        EXPECT_EQ(dialog.GetCode(), code & 0x803FFFFFu) << code;
    }
    dialog.SetCode(0);
    dialog.FindCheckBox(31)->setChecked(true);
    EXPECT_EQ(dialog.GetCode(), 0x80000000u);

    // The wheel over the box scrolls it by the wheel's delta.
    dialog.resize(736, 300);
    dialog.show();
    QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(dialog.ScrollBox->viewport(), &wheel);
    EXPECT_EQ(dialog.ScrollBox->verticalScrollBar()->value(), 120);
}

TEST_F(RegistrationPageTest, WorkModeChecks)
{
    TRegParams& p = Controller().RegParams;
    p.FirstTime = true;
    p.FFD = 4;
    auto& page = Show<TfmWorkMode>();
    EXPECT_TRUE(page.cbReasonCode->isHidden());
    EXPECT_EQ(NextMessage(page), "Внимание!\r\nВыберите систему налогообложения");
    page.chkTax1->setChecked(true);
    page.chkTax5->setChecked(true);
    page.edtReasonCodes->clear();
    EXPECT_EQ(NextMessage(page), Required("Расширенн. коды причин изменения сведений о ККТ"));
    page.edtReasonCodes->setText("4294967296");
    EXPECT_EQ(NextMessage(page),
              "Значение \"Расширенн. коды причин изменения сведений о ККТ\" должно быть числом от 0 до 4294967295!");
    page.edtReasonCodes->setText("0");
    page.cbTimeZone->setCurrentIndex(3);
    EXPECT_EQ(NextMessage(page), "");
    EXPECT_TRUE(WentTo<TfmFiscalizationBefore>());
    // The registration writes it, once its checks have passed.
    EXPECT_EQ(p.TimeZone, 4);
    EXPECT_EQ(TestRegister().CallCount(OrvekMethod::WriteTable), 0);
    EXPECT_EQ(p.TaxSystem, (1 << 1) | (1 << 5));
    EXPECT_EQ(p.ReasonCode, 2);

    // The empty twelfth item gives its number too.
    page.cbTimeZone->setCurrentIndex(11);
    EXPECT_EQ(NextMessage(page), "");
    EXPECT_EQ(p.TimeZone, 12);

    // A re-registration under FFD 1.2 needs an extended reason code.
    p.FirstTime = false;
    p.NewFN = false;
    Show<TfmWorkMode>();
    page.chkTax0->setChecked(true);
    page.edtReasonCodes->setText("0");
    EXPECT_TRUE(NextMessage(page).startsWith("Внимание!\r\nНе выбрана ни один из расширенных кодов"));
    page.edtReasonCodes->setText("2147483648");
    page.cbReasonCode->setCurrentIndex(2);
    EXPECT_EQ(NextMessage(page), "");
    EXPECT_EQ(p.ReasonCodesEx, 0x80000000u);
    EXPECT_EQ(p.ReasonCode, 4);
}

TEST_F(RegistrationPageTest, UnchosenExtendedModesClearEveryBox)
{
    TRegParams& p = Controller().RegParams;
    p.FirstTime = true;
    p.FFD = 4;
    auto& page = Show<TfmWorkMode>();
    page.chkTax0->setChecked(true);
    page.chkWorkModeEx0->setChecked(true);
    page.chkWorkModeEx4->setChecked(true);
    page.chkWorkModeEx7->setChecked(true);
    EXPECT_EQ(NextMessage(page), "");
    EXPECT_EQ(p.WorkModeEx, 0x91);

    // A new work type leaves the modes unchosen; under FFD 1.05 the boxes of
    // FFD 1.2 are disabled, and unchecked as well.
    Controller().ClearRegParams();
    p.FirstTime = true;
    p.FFD = 2;
    Show<TfmWorkMode>();
    for (QCheckBox* box : {page.chkWorkModeEx0, page.chkWorkModeEx4, page.chkWorkModeEx7})
        EXPECT_FALSE(box->isChecked()) << box->objectName().toStdString();
    EXPECT_FALSE(page.chkWorkModeEx4->isEnabled());
    page.chkTax0->setChecked(true);
    EXPECT_EQ(NextMessage(page), "");
    EXPECT_EQ(p.WorkModeEx, 0);
}

TEST_F(RegistrationPageTest, AutomaticModeKeepsTheTimeZone)
{
    auto& page = Show<TfmWorkMode>();
    page.cbTimeZone->setCurrentIndex(2);
    EXPECT_TRUE(page.cbTimeZone->toolTip().startsWith("3-я часовая зона (МСК+1"));
    // The number and its caption grey while not in automatic mode.
    EXPECT_FALSE(page.edtAutomatNumber->isEnabled());
    EXPECT_FALSE(CaptionOf(page.edtAutomatNumber)->isEnabled());
    page.chkWorkMode2->click();
    EXPECT_TRUE(page.edtAutomatNumber->isEnabled());
    EXPECT_TRUE(CaptionOf(page.edtAutomatNumber)->isEnabled());
    EXPECT_EQ(page.cbTimeZone->currentIndex(), 2);
    page.chkWorkMode2->click();
    EXPECT_FALSE(page.edtAutomatNumber->isEnabled());
    EXPECT_FALSE(CaptionOf(page.edtAutomatNumber)->isEnabled());
    EXPECT_EQ(page.cbTimeZone->currentIndex(), 2);
    EXPECT_TRUE(page.cbTimeZone->toolTip().startsWith("3-я часовая зона (МСК+1"));
    // A new show starts without a zone.
    Show<TfmWorkMode>();
    EXPECT_EQ(page.cbTimeZone->currentIndex(), -1);
    EXPECT_EQ(page.cbTimeZone->toolTip(), "Выберите часовой пояс, если необходимо");
}

TEST_F(RegistrationPageTest, WorkModeAsksAboutOSU)
{
    TRegParams& p = Controller().RegParams;
    p.FirstTime = true;
    p.FFD = 4;
    auto& page = Show<TfmWorkMode>();
    page.chkTax0->setChecked(true);
    page.chkWorkMode6->setChecked(true);
    EXPECT_EQ(NextMessage(page), "");
    EXPECT_TRUE(TestDialogs().messages().isEmpty());

    TestRegister().Area<RegisterFN>().OSUSupportStatus = 255;
    EXPECT_EQ(NextMessage(page), "");
    EXPECT_TRUE(TestDialogs().lastMessage().startsWith("ФН не поддерживает ОСУ."));
    EXPECT_FALSE(WentTo<TfmFiscalizationBefore>());

    TestRegister().Faults().FailNext(OrvekMethod::FNGetOSUSupportStatus, 55);
    TestDialogs().answerMessage(Dialogs::mrOk);
    EXPECT_EQ(NextMessage(page), "");
    EXPECT_TRUE(TestDialogs().lastMessage().startsWith("Текущая прошивка ККТ \r\nне поддерживает"));
    EXPECT_TRUE(WentTo<TfmFiscalizationBefore>());
    EXPECT_EQ(p.WorkMode & (1 << 6), 1 << 6);
}

TEST_F(RegistrationPageTest, ReregistrationPrefillsWorkModesFromTheRegister)
{
    TRegParams& p = Controller().RegParams;
    p.FirstTime = false;
    p.OFDEnabled = true;
    p.FFD = 2;
    auto& page = Show<TfmWorkMode>();
    const FNRegistration& reg = TestRegister().Area<RegisterFN>().Registration;
    EXPECT_EQ(page.chkTax0->isChecked(), bool(reg.TaxType & 1));
    EXPECT_EQ(page.chkWorkMode0->isChecked(), bool(reg.WorkMode & 1));
    EXPECT_EQ(page.edtAutomatNumber->text(), "A-000123");
    EXPECT_FALSE(page.cbReasonCode->isHidden());
    EXPECT_TRUE(page.grpAgent->isEnabled());
    EXPECT_FALSE(page.chkWorkMode6->isEnabled());
}

TEST_F(RegistrationPageTest, SelectCodesButtonRoundTripsThroughTheDialog)
{
    Controller().RegParams.FirstTime = false;
    auto& page = Show<TfmWorkMode>();
    page.edtReasonCodes->setText(QString::number(0x80000002u));
    QTimer::singleShot(0, [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<TfmReasonCodes*>(w); dialog && dialog->isVisible()) {
                EXPECT_EQ(dialog->GetCode(), 0x80000002u);
                dialog->FindCheckBox(0)->setChecked(true);
                dialog->btnOk->click();
            }
    });
    page.btnSelectReasonCodes->click();
    EXPECT_EQ(page.edtReasonCodes->text(), QString::number(0x80000003u));
}

TEST_F(RegistrationPageTest, RegistrationRoadToTheConfirmationPage)
{
    TRegParams& p = Controller().RegParams;
    p.FirstTime = true;
    p.OFDEnabled = true;
    Show<TfmSelectClientType>();
    EXPECT_EQ(Next(), "Версия ФФД");
    FForm->Pages().PageByClass<TfmFFD>()->cbbFFD->setCurrentIndex(1);
    EXPECT_EQ(Next(), "Настройки ОФД");
    EXPECT_EQ(Next(), "Настройки места установки ККТ");
    auto* user = FForm->Pages().PageByClass<TfmUserParams>();
    EXPECT_EQ(user->edtUser->text(), "ООО \"Эмулятор\"");
    // The e-mail comes from the OFD page, where the register's one was shown.
    EXPECT_EQ(user->edtSenderEmail->text(), "kassa@example.ru");
    EXPECT_EQ(Next(), "Введите ИНН и РНМ ККТ");
    auto* inn = FForm->Pages().PageByClass<TfmINN>();
    inn->edtINN->setText("7707083893");
    inn->edtRNM->setText(GenerateRNM(QStringLiteral("0000000002"), "7707083893", TestRegister().State().Serial));
    EXPECT_EQ(Next(), "Тип налогообложения и режим работы ККТ");
    auto* mode = FForm->Pages().PageByClass<TfmWorkMode>();
    mode->chkTax0->setChecked(true);
    mode->cbTimeZone->setCurrentIndex(1);
    EXPECT_EQ(Next(), "Регистрация ККТ");
    EXPECT_TRUE(TestDialogs().messages().isEmpty()) << TestDialogs().lastMessage().toStdString();
    EXPECT_EQ(p.FFD, 4);
    EXPECT_EQ(p.OFDServer, "ofd.example.ru");
    EXPECT_EQ(p.INN, "7707083893");
    EXPECT_EQ(p.TaxSystem, 1);
    EXPECT_EQ(p.TimeZone, 2);
}
