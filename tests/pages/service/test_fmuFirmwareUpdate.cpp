// The page "Прошивка": the questions before an update and the status poll of
// the emulated driver's update.
#include "pages/service/fmuFirmwareUpdate.h"
#include "pages/service/fmuPrintServer.h"

#include "emulator/FirmwareImage.h"
#include "emulator/RegisterFN.h"
#include "emulator/RegisterFirmware.h"
#include "tests/PageTestSupport.h"
#include "tests/TestSupport.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

using M = OrvekMethod;

namespace {
const QString NoDFU = QStringLiteral(
    "Данный тип подключения не поддерживает прошивку по dfu.\r\nВыберите xmodem или подключите аппарат по USB.\r\n"
    "Все равно продолжить?");
const QString ModuleNoCard = QStringLiteral(
    "Данный тип подключения не поддерживает прошивку по dfu.\r\nСледует подключиться к УМ напрямую по MicroUSB\r\n"
    "или установите карту памяти\r\nи прошейте через меню \"10. Сервис - SD-Карта\".\r\nВсе равно продолжить?");
const QString Module = QStringLiteral(
    "Данный тип подключения не поддерживает прошивку по dfu.\r\nПрошейте через меню \"10. Сервис - SD-Карта\r\n"
    "или подключите напрямую к УМ кабель MicroUSB\r\nВсе равно продолжить?");
const QString FNQuestion = QStringLiteral(
    "Установленная в ККТ версия ФН скорее всего\r\nнесовместима c прошивкой для ФФД 1.2.\r\nЕсли вы пытаетесь "
    "установить прошивку \r\nдля ФФД 1.2, то это может привести к \r\nблокировке ККТ.\r\nВы уверены, что хотите "
    "продолжить?");
const QString SessionQuestion = QStringLiteral("Смена не закрыта. Продолжить?");

class FirmwareUpdateTest : public PageTest<TfmFirmwareUpdate> {
protected:
    void SetUp() override
    {
        PageTest::SetUp();
        Driver().setPassword(30);
    }
    static void Interface(int code) { TestRegister().State().Interface = code; }
    // An image file for the register's model.
    static QString Image(const QString& version, int build, int modelId = 17, bool goodChecksum = true)
    {
        FirmwareImage image{modelId, version, build, QDate(2024, 5, 1), QByteArray(200000, 'x')};
        QByteArray bytes = BuildFirmwareImage(image);
        if (!goodChecksum)
            bytes[bytes.size() - 1] = 'y';
        return WriteTestFile(QStringLiteral("fw.bin"), bytes);
    }
    static void Advance(qint64 ms) { TestRegister().SetNow(TestRegister().Now().addMSecs(ms)); }
    static qint64 DFUTime() { return RegisterFirmware::TransferMs(RegisterFirmware::DFU, 200000); }
    void Start(const QString& file)
    {
        Page->edtFileName->setText(file);
        Page->btnUpdateFirmware->click();
    }
    QString Poll()
    {
        Page->TimerTimer();
        return Page->edtFWUpdateStatus->text();
    }
};
} // namespace

TEST_F(FirmwareUpdateTest, FNVersionNamesFFD12)
{
    const std::pair<const char*, bool> cases[] = {
        {"fn 1.2", true}, {"fn_v_1_2_10", true}, {"fn 1.1", false}, {"FN 1.2", false}, {"", false}};
    for (const auto& [text, compatible] : cases)
        EXPECT_EQ(TfmFirmwareUpdate::IsFNCompatibleToFFD12(QString::fromLatin1(text)), compatible) << text;
}

TEST_F(FirmwareUpdateTest, ConnectionQuestionByInterface)
{
    struct Case {
        int Interface;
        int Table14;
        QStringList Questions;
    };
    const Case cases[] = {
        {0, 0, {NoDFU}}, {3, 0, {Module}}, {3, 1, {ModuleNoCard}}, {1, 0, {}}, {2, 0, {}}, {128, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Interface);
        Interface(c.Interface);
        TestRegister().Tables().SetValue(14, 1, 1, c.Table14);
        TestRegister().ClearJournal();
        TestDialogs().clear();
        for (int i = 0; i < c.Questions.size(); ++i)
            TestDialogs().answerMessage(Dialogs::mrOk);
        Start(Image(QStringLiteral("D.2"), 2));
        EXPECT_EQ(TestDialogs().messages(), c.Questions);
        for (const auto& shown : TestDialogs().shown()) {
            EXPECT_EQ(shown.message.caption, QStringLiteral("Внимание!"));
            EXPECT_EQ(shown.message.buttons, Dialogs::Buttons::OkCancel);
            EXPECT_EQ(shown.message.defaultButton, Dialogs::mrCancel);
        }
        EXPECT_EQ(TestRegister().CallCount(M::UpdateFirmware), 1);
        EXPECT_EQ(TestRegister().CallCount(M::ReadTable), c.Interface == 3 ? 1 : 0);
        Driver().CancelFirmwareUpdate();
    }
    // The field's read failing with a positive code still asks the module question.
    Interface(3);
    TestRegister().Faults().FailNext(M::ReadTable, 93);
    TestDialogs().clear();
    TestDialogs().answerMessage(Dialogs::mrCancel);
    Start(Image(QStringLiteral("D.2"), 2));
    EXPECT_EQ(TestDialogs().messages(), QStringList{ModuleNoCard});
}

TEST_F(FirmwareUpdateTest, FNAndSessionQuestionsAndCancelAnywhere)
{
    Interface(0);
    TestRegister().Area<RegisterFN>().SoftVersion = QStringLiteral("fn 1.1");
    TestRegister().State().Mode = 2;
    TestRegister().State().SessionOpen = true;
    const QStringList all{NoDFU, FNQuestion, SessionQuestion};
    for (int cancelAt = 0; cancelAt <= all.size(); ++cancelAt) {
        SCOPED_TRACE(cancelAt);
        TestDialogs().clear();
        TestRegister().ClearJournal();
        for (int i = 0; i < all.size(); ++i)
            TestDialogs().answerMessage(i == cancelAt ? Dialogs::mrCancel : Dialogs::mrOk);
        Start(Image(QStringLiteral("D.2"), 2));
        EXPECT_EQ(TestDialogs().messages(), all.mid(0, std::min<qsizetype>(cancelAt + 1, all.size())));
        EXPECT_EQ(TestRegister().CallCount(M::UpdateFirmware), cancelAt == all.size() ? 1 : 0);
        EXPECT_EQ(Page->Timer->isActive(), cancelAt == all.size());
        EXPECT_TRUE(Page->btnUpdateFirmware->isEnabled());
    }
}

TEST_F(FirmwareUpdateTest, DriverAnswersBeforeTheQuestions)
{
    Interface(0);
    // A negative code ends the handler silently.
    TestRegister().Faults().FailNext(M::GetECRStatus, -1);
    Start(Image(QStringLiteral("D.2"), 2));
    EXPECT_TRUE(TestDialogs().messages().isEmpty());
    EXPECT_EQ(TestRegister().CallCount(M::UpdateFirmware), 0);
    EXPECT_EQ(TestRegister().CallCount(M::FNGetVersion), 0);
    // A positive code skips the connection question; the FN answering
    // positively skips the FN question.
    TestRegister().Area<RegisterFN>().SoftVersion = QStringLiteral("fn 1.1");
    TestRegister().Faults().FailNext(M::GetECRStatus, 80);
    TestRegister().Faults().FailNext(M::FNGetVersion, 2);
    Page->cbUpdateMethod->setCurrentIndex(1);
    Start(Image(QStringLiteral("D.2"), 2));
    EXPECT_TRUE(TestDialogs().messages().isEmpty());
    EXPECT_EQ(TestRegister().CallCount(M::UpdateFirmware), 1);
}

TEST_F(FirmwareUpdateTest, PollFollowsTheUpdateUntilNewFirmwareRuns)
{
    Interface(2);
    Start(Image(QStringLiteral("D.5"), 777));
    EXPECT_EQ(Driver().ResultCode(), 0);
    EXPECT_TRUE(Page->Timer->isActive());
    EXPECT_EQ(Page->Timer->interval(), 300);
    EXPECT_TRUE(Poll().startsWith(QStringLiteral("1, Загрузка прошивки: ")));
    // The register's clock runs on meanwhile: half the time and a little.
    Advance(DFUTime() / 2 + 50);
    const QString half = Poll();
    ASSERT_TRUE(half.startsWith(QStringLiteral("1, Загрузка прошивки: "))) << half.toStdString();
    const int percent = half.mid(22).chopped(1).toInt();
    EXPECT_TRUE(percent >= 50 && percent < 60) << half.toStdString();
    EXPECT_TRUE(Page->Timer->isActive());
    Advance(DFUTime());
    EXPECT_EQ(Poll(), QStringLiteral("2, Прошивка обновлена: версия D.5, сборка 777"));
    EXPECT_FALSE(Page->Timer->isActive());
    EXPECT_FALSE(Driver().Connected());
    ASSERT_EQ(Driver().GetECRStatus(), 0);
    EXPECT_EQ(Driver().ECRSoftVersion(), QStringLiteral("D.5"));
    EXPECT_EQ(Driver().ECRBuild(), 777);
}

TEST_F(FirmwareUpdateTest, RefusedOrCancelledUpdatesKeepTheOldFirmware)
{
    struct Case {
        const char* Name;
        int Interface;
        int Method;
        int Model;
        bool Checksum;
        bool Cancel;
        QString Status;
    };
    const Case cases[] = {
        {"other model", 2, 0, 99, true, false, QStringLiteral("3, Прошивка для другой модели ККТ (99, а ККТ - 17)")},
        {"XMODEM over USB", 2, 1, 17, true, false,
         QStringLiteral("3, Обновление по XMODEM возможно только при подключении по RS-232")},
        {"bad checksum", 0, 1, 17, false, false, QStringLiteral("3, Ошибка контрольной суммы образа прошивки")},
        {"cancelled", 2, 0, 17, true, true, QStringLiteral("3, Обновление прошивки прервано")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Interface(c.Interface);
        TestDialogs().clear();
        TestDialogs().answerMessage(Dialogs::mrOk);
        Page->cbUpdateMethod->setCurrentIndex(c.Method);
        Start(Image(QStringLiteral("D.9"), 9, c.Model, c.Checksum));
        if (c.Cancel) {
            Page->btnCancelFirmwareUpdate->click();
            EXPECT_TRUE(Page->Timer->isActive());
        }
        Advance(RegisterFirmware::TransferMs(c.Method, 200000));
        EXPECT_EQ(Poll(), c.Status);
        EXPECT_FALSE(Page->Timer->isActive());
        EXPECT_EQ(TestRegister().Config().SoftVersion, QStringLiteral("D.1"));
    }
    // No file at all.
    Interface(2);
    Start(TestTempDir() + QStringLiteral("/none.bin"));
    EXPECT_EQ(Driver().ResultCode(), -6);
    EXPECT_EQ(Poll().left(3), QStringLiteral("3, "));
}

// The file name holds at most 100 typed characters, but a file chosen in the
// dialog keeps its whole name, and the update reads that file.
TEST_F(FirmwareUpdateTest, AChosenLongFileNameStaysWholeWhileTypingStopsAt100)
{
    const QString folder = TestTempDir() + QLatin1Char('/') + QString(110, QLatin1Char('d'));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString file = folder + QStringLiteral("/fw.bin");
    ASSERT_TRUE(QFile::copy(Image(QStringLiteral("D.5"), 777), file));
    TestDialogs().answerFile(file);
    Page->btnOpenFile->click();
    EXPECT_EQ(Page->edtFileName->text(), file);
    QTest::keyClicks(Page->edtFileName, QStringLiteral("x"));
    EXPECT_EQ(Page->edtFileName->text(), file);

    Interface(2);
    Page->btnUpdateFirmware->click();
    EXPECT_EQ(Driver().FileName(), file);
    Advance(DFUTime() + 50);
    EXPECT_EQ(Poll(), QStringLiteral("2, Прошивка обновлена: версия D.5, сборка 777"));

    Page->edtFileName->clear();
    QTest::keyClicks(Page->edtFileName, QString(105, QLatin1Char('a')));
    EXPECT_EQ(Page->edtFileName->text(), QString(100, QLatin1Char('a')));
}

// The update holds the driver object while its status is followed:
// "Удалить драйвер" is refused until the update has ended.
TEST_F(FirmwareUpdateTest, TheDriverIsNotFreedUnderARunningUpdate)
{
    TfmPrintServer server;
    Interface(0);
    TestDialogs().answerMessage(Dialogs::mrOk);
    Page->cbUpdateMethod->setCurrentIndex(1);
    Start(Image(QStringLiteral("D.5"), 777));
    ASSERT_TRUE(Page->Timer->isActive());
    Driver().setComputerName(QStringLiteral("driver-of-the-test"));
    server.btnDeleteDriver->click();
    EXPECT_TRUE(TestDialogs().lastMessage().contains(QStringLiteral("выполняется операция")))
        << TestDialogs().lastMessage().toStdString();
    ASSERT_TRUE(DriverExists());
    EXPECT_EQ(Driver().ComputerName(), QStringLiteral("driver-of-the-test"));
    EXPECT_TRUE(Poll().startsWith(QStringLiteral("1, Загрузка прошивки: ")));

    Advance(RegisterFirmware::TransferMs(RegisterFirmware::XMODEM, 200000) + 50);
    EXPECT_EQ(Poll(), QStringLiteral("2, Прошивка обновлена: версия D.5, сборка 777"));
    server.btnDeleteDriver->click();
    EXPECT_FALSE(DriverExists());
}

// An update whose driver object went away before its end is never installed:
// a later update starts afresh, and cancelled it leaves the old firmware.
TEST_F(FirmwareUpdateTest, AnAbandonedUpdateIsNeverInstalled)
{
    Interface(2);
    {
        EmulatedOrvek other;
        other.Props().Set(OrvekProp::FileName, Image(QStringLiteral("D.5"), 555));
        other.Props().Set(OrvekProp::UpdateFirmwareMethod, 0);
        ASSERT_EQ(other.Invoke(DispId(M::UpdateFirmware)), 0);
        Advance(DFUTime() / 3);
    }
    Advance(DFUTime());
    Start(Image(QStringLiteral("D.7"), 777));
    EXPECT_EQ(Driver().ResultCode(), 0);
    EXPECT_TRUE(Poll().startsWith(QStringLiteral("1, Загрузка прошивки: 0%")));
    Page->btnCancelFirmwareUpdate->click();
    Advance(DFUTime());
    EXPECT_EQ(Poll(), QStringLiteral("3, Обновление прошивки прервано"));
    EXPECT_EQ(TestRegister().Config().SoftVersion, QStringLiteral("D.1"));
    ASSERT_EQ(Driver().GetECRStatus(), 0);
    EXPECT_EQ(Driver().ECRSoftVersion(), QStringLiteral("D.1"));
}
