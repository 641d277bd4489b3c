// The marking pages "КТ" and "КТ 2" against the emulated marking work.
#include "pages/fn/fmuFNKTN.h"
#include "pages/fn/fmuFNKTN2.h"

#include "core/support/CodePage.h"
#include "emulator/RegisterMarking.h"
#include "emulator/RegisterTags.h"
#include "lumaqtst/fmuMain.h"
#include "platform/Registry.h"
#include "tests/DriverTestSupport.h"
#include "tests/TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {
const QString GS = QString(QChar(0x1D));
const QString G = QStringLiteral("04600000000012");
const QString Code = "01" + G + "21" + "5Qbag!" + GS + "93" + "Zjqw";
const QString KM88 = "01" + G + "21" + "5Qbag!" + GS + "91" + "EE06" + GS + "92" + QString(88, 'S');
} // namespace

class MarkingPagesTest : public DriverTest {
protected:
    void SetUp() override
    {
        DriverTest::SetUp();
        QFile::remove(TRegistry::DefaultFileName());
        Main = std::make_unique<TfmMain>();
        KT = Main->Pages().PageByClass<TfmFNKTN>();
        KT2 = Main->Pages().PageByClass<TfmFNKTN2>();
        ASSERT_NE(KT, nullptr);
        ASSERT_NE(KT2, nullptr);
    }
    void TearDown() override
    {
        Main.reset();
        DriverTest::TearDown();
    }

    RegisterMarking& Marking() { return TestRegister().Area<RegisterMarking>(); }
    QStringList Result() const { return KT2->memResult->toPlainText().split(QLatin1Char('\n')); }
    void SetStatus(int index)
    {
        KT2->cbItemStatus->setCurrentIndex(index);
        emit KT2->cbItemStatus->activated(index);
    }
    // The code typed with "<0x1D>" for each GS.
    void SetCode(const QString& code) { KT2->memBarcode->setPlainText(QString(code).replace(GS, "<0x1D>")); }

    std::unique_ptr<TfmMain> Main;
    TfmFNKTN* KT = nullptr;
    TfmFNKTN2* KT2 = nullptr;
};

TEST_F(MarkingPagesTest, KTSendsSerialAndGTINForDataMatrixElseTheCode)
{
    KT->cbMarkingType->setCurrentIndex(4);
    emit KT->cbMarkingType->activated(4);
    EXPECT_TRUE(KT->edtGTIN->isEnabled());
    EXPECT_EQ(KT->lblBarcode->text(), QStringLiteral("Серийный номер (и GTIN)"));
    KT->edtGTIN->setText(G);
    KT->memBarcode->setPlainText(QStringLiteral("SER\n123"));
    KT->btnFNSendItemCodeData->click();
    EXPECT_EQ(Driver().SerialNumber(), QStringLiteral("SER123"));
    EXPECT_EQ(Driver().GTIN(), G);
    EXPECT_EQ(TestRegister().Area<RegisterTags>().Sent.back().Value, "\x44\x4D" + G.toLatin1() + "SER123");

    KT->cbMarkingType->setCurrentIndex(2);
    emit KT->cbMarkingType->activated(2);
    EXPECT_FALSE(KT->edtGTIN->isEnabled());
    EXPECT_EQ(KT->lblBarcode->text(), QStringLiteral("Код товара в кодировке EAN-13 в формате ASCII. 13 цифр"));
    KT->memBarcode->setPlainText(QStringLiteral("4600000000017"));
    KT->btnFNSendItemCodeData->click();
    EXPECT_EQ(Driver().BarCode(), QStringLiteral("4600000000017"));
    EXPECT_EQ(TestRegister().Area<RegisterTags>().Sent.back().Value, QByteArray("\x45\x0D") + "4600000000017");

    KT->rbHEX->setChecked(true);
    KT->memBarcode->setPlainText(QStringLiteral("34 36 30"));
    KT->btnFNSendItemCodeData->click();
    EXPECT_EQ(Driver().BarcodeHex(), QStringLiteral("34 36 30"));
    // Unchecked: the wrong length is left to the result panel.
    EXPECT_EQ(Main->edtResult->text(), QStringLiteral("(51) Некорректные параметры в команде"));
}

TEST_F(MarkingPagesTest, UpdateFormFollowsTheStatusAndTheBoxes)
{
    SetStatus(4);
    EXPECT_TRUE(KT2->chbFractionalQuantity->isChecked());
    EXPECT_FALSE(KT2->chbFractionalQuantity->isEnabled());
    EXPECT_TRUE(KT2->edtNumerator->isEnabled());
    EXPECT_TRUE(KT2->edtDenominator->isEnabled());
    EXPECT_FALSE(KT2->cbMeasureUnit->isEnabled());
    EXPECT_FALSE(KT2->edtQuantity->isEnabled());

    SetStatus(0);
    EXPECT_TRUE(KT2->chbFractionalQuantity->isEnabled());
    for (QWidget* input : {(QWidget*)KT2->cbMeasureUnit, (QWidget*)KT2->edtQuantity, (QWidget*)KT2->edtNumerator,
                           (QWidget*)KT2->edtDenominator})
        EXPECT_FALSE(input->isEnabled()) << input->objectName().toStdString();

    SetStatus(1);
    KT2->chbFractionalQuantity->setChecked(false);
    EXPECT_TRUE(KT2->cbMeasureUnit->isEnabled());
    EXPECT_TRUE(KT2->edtQuantity->isEnabled());
    EXPECT_FALSE(KT2->edtNumerator->isEnabled());

    EXPECT_FALSE(KT2->chbExtractKT->isEnabled());
    KT2->chbOSU->setChecked(true);
    EXPECT_TRUE(KT2->chbExtractKT->isEnabled());
    KT2->chbExtractKT->setChecked(true);
    KT2->chbOSU->setChecked(false);
    EXPECT_FALSE(KT2->chbExtractKT->isChecked());
    EXPECT_FALSE(KT2->chbExtractKT->isEnabled());
}

TEST_F(MarkingPagesTest, GSIsTypedAndPastedAsTextAndSentAsByte)
{
    KT2->memBarcode->setPlainText(QStringLiteral("0104"));
    KT2->memBarcode->moveCursor(QTextCursor::End);
    QKeyEvent key(QEvent::KeyPress, Qt::Key_BracketRight, Qt::ControlModifier, GS);
    QApplication::sendEvent(KT2->memBarcode, &key);
    EXPECT_EQ(KT2->memBarcode->toPlainText(), QStringLiteral("0104<0x1D>"));
    EXPECT_EQ(KT2->memBarcode->textCursor().position(), 10);

    KT2->memBarcode->clear();
    QApplication::clipboard()->setText(Code);
    KT2->memBarcode->paste();
    EXPECT_EQ(KT2->memBarcode->toPlainText(), "01" + G + "215Qbag!<0x1D>93Zjqw");
    EXPECT_EQ(QApplication::clipboard()->text(), Code);

    // ASCII: the GS byte reaches BarCode; HEX: the text reaches BarcodeHex as typed.
    KT2->btnFNSendItemBarcode->click();
    EXPECT_EQ(Driver().BarCode(), Code);
    EXPECT_EQ(Marking().Accepted.back().Code, Code.toLatin1());
    KT2->rbHEX->setChecked(true);
    KT2->memBarcode->setPlainText(QStringLiteral("30 31 1D 39 33"));
    KT2->btnFNSendItemBarcode->click();
    EXPECT_EQ(Driver().BarcodeHex(), QStringLiteral("30 31 1D 39 33"));
    EXPECT_EQ(Marking().Accepted.back().Code, QByteArray("01\x1D" "93"));
}

TEST_F(MarkingPagesTest, SendShowsTheTypeAndCutsTheGTINForOSU)
{
    SetCode(KM88);
    KT2->btnFNSendItemBarcode->click();
    const QStringList lines = Result();
    ASSERT_GE(lines.size(), 4);
    EXPECT_EQ(lines[0], QStringLiteral("Распознанный тип КТ: Код GS1 Data Matrix: КМ-88"));
    EXPECT_EQ(lines[1], QStringLiteral("Статус локальной проверки    : 3"));
    EXPECT_EQ(lines.size(), 14);
    EXPECT_EQ(lines.last(), QStringLiteral("Реквизиты ответа сервера     : 3A0801000F"));

    KT2->chbOSU->setChecked(true);
    KT2->chbExtractKT->setChecked(true);
    KT2->btnFNSendItemBarcode->click();
    EXPECT_EQ(Marking().Accepted.back().Code, G.toLatin1());
    EXPECT_TRUE(Driver().MCOSUSign());
    SetCode(QStringLiteral("1234567"));
    KT2->btnFNSendItemBarcode->click();
    EXPECT_EQ(Marking().Accepted.back().Code, QByteArray("1234567"));

    EXPECT_EQ(TfmFNKTN2::MarkingTypeToStr(17485, 2), QStringLiteral("Код GS1 Data Matrix: Табачный"));
    EXPECT_EQ(TfmFNKTN2::MarkingTypeToStr(1, 0), QStringLiteral("Неизвестный тип"));

    // A failing send shows nothing.
    TestRegister().Faults().FailNext(OrvekMethod::FNSendItemBarcode, 50);
    KT2->btnFNSendItemBarcode->click();
    EXPECT_EQ(KT2->memResult->toPlainText(), QString());
}

TEST_F(MarkingPagesTest, CheckSendsTheStatusTagsAndShowsTheOutcome)
{
    SetCode(KM88);
    SetStatus(1);
    KT2->cbMeasureUnit->setCurrentIndex(2);  // 11. Килограмм
    KT2->chbFractionalQuantity->setChecked(false);
    KT2->edtQuantity->setText(QStringLiteral("2"));
    KT2->btnFNCheckItemBarcode->click();
    ASSERT_TRUE(Marking().Checking.has_value()) << Main->edtResult->text().toStdString();
    EXPECT_EQ(Marking().Checking->ItemStatus, 2);
    EXPECT_EQ(Marking().Checking->Tags, QByteArray::fromHex("3C0801000B" "FF0302000002"));

    KT2->chbFractionalQuantity->setChecked(true);
    KT2->edtNumerator->setText(QStringLiteral("1"));
    KT2->edtDenominator->setText(QStringLiteral("3"));
    KT2->btnFNCheckItemBarcode->click();
    EXPECT_EQ(Marking().Checking->Tags,
              QByteArray::fromHex("3C0801000B" "FF0302000001" "0B050A00" "0D05010001" "0E05010003"));
    QStringList lines = Result();
    EXPECT_EQ(lines.mid(0, 3), (QStringList{
        QStringLiteral("Статус локальной проверки    : 3"),
        QStringLiteral("  \"код маркировки проверен фискальным накопителем с использованием ключа проверки КП\""),
        QStringLiteral("  \"результат проверки КП КМ фискальным накопителем с использованием ключа проверки КП положительный\""),
    }));
    EXPECT_TRUE(lines.contains(QStringLiteral("Код ответа ФН на команду онлайн-проверки: 0, Ошибок нет")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Реквизиты ответа сервера     : 3A0801000F")));
    EXPECT_TRUE(lines.contains(QStringLiteral("  \"проверка статуса ОИСМ выполнена\"")));

    // No online check: no online lines; code 32: the reason line only.
    SetStatus(0);
    Marking().Outcome.ServerErrorCode = -1;
    KT2->btnFNCheckItemBarcode->click();
    lines = Result();
    EXPECT_EQ(lines.size(), 5);
    EXPECT_EQ(lines.last(), QStringLiteral("Распознанный тип КМ          : 2, КМ со значением кода проверки длиной 88 "
                                           "символов, подлежащим проверке в ФН"));
    Marking().Outcome.ServerErrorCode = 32;
    Marking().Outcome.ServerStatus = 5;
    KT2->btnFNCheckItemBarcode->click();
    lines = Result();
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[5], QStringLiteral("Код ответа ФН на команду онлайн-проверки: 32, "));
    EXPECT_EQ(lines[6], QStringLiteral("Причина ошибки             : 5, Неверный CRC блока данных"));

    KT2->btnFNAcceptMarkingCode->click();
    EXPECT_EQ(Result().first(), QStringLiteral("Сохраненный результат проверки КМ: 5"));
    EXPECT_EQ(Result().size(), 6);
    EXPECT_EQ(Marking().Accepted.size(), 1u);
    KT2->btnFNDeclineMarkingCode->click();
    EXPECT_EQ(KT2->memResult->toPlainText(), QString());
    EXPECT_NE(Main->edtResult->text().indexOf(QStringLiteral("Другое состояние ФН")), -1);
}

TEST_F(MarkingPagesTest, StatusLinesOfTheMarkingWorkAndTheExchange)
{
    SetCode(KM88);
    KT2->btnFNSendItemBarcode->click();
    KT2->btnFNGetMarkingCodeWorkStatus->click();
    EXPECT_EQ(Result(), (QStringList{
        QStringLiteral("Состояние проверки КМ               : 1, нет КМ на проверке"),
        QStringLiteral("Сост. по форм. уведомления          : 1, начато формирование уведомления о реализации"),
        QStringLiteral("Флаги разрешения команд работы с КМ : 5"),
        QStringLiteral("Кол-во сохр. результатов проверки КМ: 1"),
        QStringLiteral("Кол-во КМ, вкл. в уведомление о реализации: 1"),
        QStringLiteral("Заполнение области хранения уведомлений   : 0, менее чем 50%"),
        QStringLiteral("Количество уведомлений в очереди: 0"),
    }));
    KT2->btnFNMarkingClearBuffer->click();
    EXPECT_TRUE(Marking().Accepted.empty());

    KT2->btnFNGetKMServerExchangeStatus->click();
    EXPECT_EQ(Result(), (QStringList{
        QStringLiteral("Состояние передачи уведомлений   : 0, нет активного обмена"),
        QStringLiteral("Количество уведомлений в очереди : 0"),
        QStringLiteral("Номер текущего уведомления       : 0"),
        QStringLiteral("Дата и время текущего уведомления: на все уведомления получена квитанция"),
        QStringLiteral("Заполн. обл. хранения уведомлений  : 0%"),
    }));
}

TEST_F(MarkingPagesTest, NotificationsAreReadAndConfirmed)
{
    KT2->btnFNBeginReadNotifications->click();
    KT2->btnReadNotification->click();
    EXPECT_EQ(Result(), QStringList{QStringLiteral("Уведомление не прочитано: в ФН нет уведомления для чтения")});
    EXPECT_EQ(KT2->edtNotificationNumber->text(), QStringLiteral("1"));
    Marking().NextNumber = 7;
    Marking().QueueNotification(QByteArray::fromHex("0102000003040506"));
    Marking().BlockSize = 3;

    KT2->btnFNBeginReadNotifications->click();
    EXPECT_EQ(Result(), (QStringList{QStringLiteral("Количество уведомлений    : 1"),
                                     QStringLiteral("Номер первого уведомления : 7"),
                                     QStringLiteral("Размер первого уведомления: 8")}));
    KT2->btnFNReadNotificationBlock->click();
    EXPECT_EQ(Result().last(), QStringLiteral("01 02 1C"));
    KT2->btnFNBeginReadNotifications->click();
    EXPECT_EQ(KT2->edtNotificationNumber->text(), QStringLiteral("1"));
    KT2->btnReadNotification->click();
    EXPECT_EQ(Result(), (QStringList{QStringLiteral("Уведомление: 7"), QStringLiteral("CRC: 55068"),
                                     QStringLiteral("Данные:"), QStringLiteral("01 02 1C D7 03 04 05 06")}));
    EXPECT_EQ(KT2->edtNotificationNumber->text(), QStringLiteral("7"));
    EXPECT_EQ(KT2->edtCheckSum->text(), QStringLiteral("55068"));

    KT2->edtCheckSum->setText(QStringLiteral("1"));
    KT2->btnFNConfirmNotificationRead->click();
    EXPECT_EQ(Marking().Queue.size(), 1u);
    KT2->edtCheckSum->setText(QStringLiteral("55068"));
    KT2->btnFNConfirmNotificationRead->click();
    EXPECT_TRUE(Marking().Queue.empty());
}

TEST_F(MarkingPagesTest, BlockReaderStopsOnEmptyOrOversizedBlocks)
{
    Marking().QueueNotification(QByteArray::fromHex("0102000003040506"));
    const struct {
        int BlockSize;
        int SizeDelta;
        const char* Message;
    } cases[] = {
        {0, 0, "Уведомление 1: пустой блок данных"},
        {3, -3, "Уведомление 1: данных (6 байт) больше размера уведомления (5 байт)"},
    };
    for (const auto& c : cases) {
        TestDialogs().clear();
        Marking().BlockSize = c.BlockSize;
        Marking().ReportedSizeDelta = c.SizeDelta;
        KT2->btnFNBeginReadNotifications->click();
        KT2->edtNotificationNumber->setText(QStringLiteral("42"));
        TestDialogs().answerMessage(Dialogs::mrOk);
        KT2->btnReadNotification->click();
        EXPECT_EQ(TestDialogs().lastMessage(), QString::fromUtf8(c.Message));
        EXPECT_EQ(KT2->edtNotificationNumber->text(), QStringLiteral("42"));
        EXPECT_TRUE(KT2->btnReadNotification->isEnabled());
    }
}
