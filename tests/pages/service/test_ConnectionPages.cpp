// The pages of "Прочее": Связь, Поиск устройства, ЛУ and Сервер печати,
// against the emulated driver and an in-process print server.
#include "pages/service/ConnectionControls.h"
#include "pages/service/fmuConnection.h"
#include "pages/service/fmuFindDevice.h"
#include "pages/service/fmuLogicDevice.h"
#include "pages/service/fmuPrintServer.h"

#include "core/settings/ControlStore.h"
#include "core/support/NotifyThread.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/PrintServer.h"
#include "platform/Exceptions.h"
#include "platform/Registry.h"
#include "tests/PageTestSupport.h"
#include "tests/TestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <atomic>
#include <thread>

using M = OrvekMethod;

namespace {
const QString Key = QStringLiteral("\\SOFTWARE\\Test\\Pages");

// Stores a page's controls and restores them into a fresh page of the class,
// made as the main window makes it (Initialize, then the stored values).
template <class T>
std::unique_ptr<T> Restarted(T& page)
{
    const QString file = TestTempDir() + QStringLiteral("/registry.json");
    {
        TRegistry reg(file);
        EXPECT_TRUE(reg.OpenKey(Key, true));
        SaveControlParams(page.objectName(), &page, reg);
    }
    auto fresh = std::make_unique<T>();
    fresh->Initialize();
    TRegistry reg(file);
    EXPECT_TRUE(reg.OpenKey(Key, false));
    LoadControlParams(fresh->objectName(), fresh.get(), reg);
    return fresh;
}

std::shared_ptr<EmulatedRegister> AddSerialRegister(int com, int baud)
{
    RegisterConfig c;
    c.ComNumber = com;
    c.BaudRate = baud;
    c.Host.clear();
    return Bench().Add(c);
}

QStringList Lines(QPlainTextEdit* memo)
{
    return memo->toPlainText().split(QLatin1Char('\n'));
}

// Result-panel cycles (EnableButtons false/true) while it lives.
struct NotifierCount {
    NotifierCount() { PageNotifier().SetOnChange([this](TPageNotifier*, TChangeType) { ++Count; }); }
    ~NotifierCount() { PageNotifier().SetOnChange(nullptr); }
    int Count = 0;
};
} // namespace

class ConnectionPageTest : public PageTest<TfmConnection> {
protected:
    void SetUp() override
    {
        PageTest::SetUp();
        Page->Initialize();
    }
};

TEST_F(ConnectionPageTest, TcpControlsFollowTheInterfaceAlsoWhenRestored)
{
    const QStringList names{"RS-232", "Bluetooth", "USB", "WiFi", "TCP socket"};
    const int codes[] = {0, 1, 2, 3, 128};
    ASSERT_EQ(Page->cbPortNumber->count(), 5);
    EXPECT_FALSE(Page->seTCPPortCode->isEnabled());
    for (int i = 0; i < 5; ++i) {
        Page->cbPortNumber->setCurrentIndex(i);
        EXPECT_EQ(Page->cbPortNumber->currentText(), names[i]);
        EXPECT_EQ(Page->cbPortNumber->currentData().toInt(), codes[i]);
        EXPECT_EQ(Page->seTCPPortCode->isEnabled(), codes[i] == 128) << i;
        EXPECT_EQ(Page->edtTCPPortReal->isEnabled(), codes[i] == 128) << i;
    }
    // "TCP socket" stored and restored at the next start: enabled.
    auto fresh = Restarted(*Page);
    EXPECT_EQ(fresh->cbPortNumber->currentData().toInt(), 128);
    EXPECT_TRUE(fresh->seTCPPortCode->isEnabled());
    EXPECT_TRUE(fresh->edtTCPPortReal->isEnabled());
}

TEST_F(ConnectionPageTest, TcpPortCodeIsOneByte)
{
    Page->cbPortNumber->setCurrentIndex(4);
    Page->seTCPPortCode->setValue(300);   // cannot be entered: the code is one byte
    EXPECT_EQ(Page->seTCPPortCode->value(), 255);
    Page->seTCPPortCode->setValue(44);
    Page->seTimeout->setValue(250);
    Page->btnSetExchangeParam->click();
    EXPECT_EQ(Driver().ResultCode(), 0);
    EXPECT_EQ(Driver().TCPPort(), 8252);

    Page->seTCPPortCode->setValue(0);
    Page->seTimeout->setValue(0);
    Page->btnGetExchangeParam->click();
    EXPECT_EQ(Page->seTCPPortCode->value(), 44);
    EXPECT_EQ(Page->seTimeout->value(), 250);

    // A failed read leaves the controls as they were.
    Page->seTimeout->setValue(7);
    TestRegister().Faults().FailNext(M::GetExchangeParam, OrvekResult::PrinterBusy);
    Page->btnGetExchangeParam->click();
    EXPECT_EQ(Driver().ResultCode(), OrvekResult::PrinterBusy);
    EXPECT_EQ(Page->seTimeout->value(), 7);
}

TEST_F(ConnectionPageTest, TcpPortCodeReachesARegisterOnItsPort)
{
    RegisterConfig c;
    c.ComNumber = 0;
    c.TcpPort = 0x203C;   // code 0x2C
    c.Serial = QStringLiteral("0000000000000044");
    Bench().Add(c);
    Driver().setConnectionType(6);
    Page->seTCPPortCode->setValue(44);
    Page->btnConnect->click();
    EXPECT_EQ(Driver().ResultCode(), 0);
    ASSERT_EQ(Driver().ReadSerialNumber(), 0);
    EXPECT_EQ(Driver().SerialNumber(), QStringLiteral("0000000000000044"));
    // The register tells the code of its TCP socket.
    Page->cbPortNumber->setCurrentIndex(4);
    Page->seTCPPortCode->setValue(0);
    Page->btnGetExchangeParam->click();
    EXPECT_EQ(Page->seTCPPortCode->value(), 44);
}

TEST_F(ConnectionPageTest, ConnectSendsThePortButNotTheInterface)
{
    Page->cbCOMNumber->setCurrentIndex(0);
    Page->cbBaudRate->setCurrentIndex(6);
    Page->seTimeout->setValue(120);
    Page->seTCPPortCode->setValue(0x1F);
    Page->cbPortNumber->setCurrentIndex(2);
    TestComponent().Trace().Clear();
    Page->btnConnect->click();
    EXPECT_EQ(TestComponent().Trace().Lines(),
              QStringList{"Connect(ComNumber=1, BaudRate=6, Timeout=120, TCPPort=4159)"});
    EXPECT_TRUE(Page->chkConnected->isChecked());

    Page->btnDisconnect->click();
    EXPECT_FALSE(Page->chkConnected->isChecked());
    EXPECT_FALSE(Driver().Connected());

    // The check box connects when the user clicks it; the page's own refresh writes nothing.
    Page->chkConnected->click();
    EXPECT_TRUE(Driver().Connected());
    TestComponent().Trace().Clear();
    Driver().Disconnect();
    Page->UpdatePage();
    EXPECT_FALSE(Page->chkConnected->isChecked());
    EXPECT_EQ(TestComponent().Trace().Lines(), QStringList{"Disconnect()"});

    // Nothing answers on COM2.
    Page->cbCOMNumber->setCurrentIndex(1);
    Page->btnConnect->click();
    EXPECT_EQ(Driver().ResultCode(), OrvekResult::NoLink);
    EXPECT_FALSE(Page->chkConnected->isChecked());
}

TEST_F(ConnectionPageTest, WaitsSendTheirTimeout)
{
    Page->seConnectionTimeout->setValue(15);
    const std::pair<QPushButton*, QString> waits[] = {
        {Page->btnWaitConnection, "WaitConnection(ConnectionTimeout=15)"},
        {Page->btnWaitForPrinting, "WaitForPrinting(ConnectionTimeout=15)"},
        {Page->btnWaitForCheckClose, "WaitForCheckClose(ConnectionTimeout=15)"},
    };
    for (const auto& [button, line] : waits) {
        TestComponent().Trace().Clear();
        button->click();
        EXPECT_EQ(TestComponent().Trace().Lines(), QStringList{line});
        EXPECT_EQ(Driver().ResultCode(), 0) << line.toStdString();
    }
    Driver().setPrice(10000);
    Driver().setQuantity(1);
    ASSERT_EQ(Driver().Sale(), 0);
    Page->btnWaitForCheckClose->click();
    EXPECT_EQ(Driver().ResultCode(), OrvekResult::ReceiptOpen);
}

TEST_F(ConnectionPageTest, ShowingMirrorsTheDriverOnlyWhenItExists)
{
    FreeDriver();
    Page->seTimeout->setValue(321);
    Page->resize(1120, 500);
    Page->show();
    EXPECT_FALSE(DriverExists());
    EXPECT_EQ(Page->seTimeout->value(), 321);
    Page->hide();

    Driver().setComNumber(40);
    Driver().setBaudRate(3);
    Driver().setTCPPort(0x203C);
    Driver().setConnectionTimeout(900);
    Page->show();
    EXPECT_EQ(Page->seTimeout->value(), 100);
    EXPECT_EQ(Page->cbCOMNumber->currentText(), QStringLiteral("COM40"));
    EXPECT_EQ(Page->cbBaudRate->currentText(), QStringLiteral("19200"));
    EXPECT_EQ(Page->edtTCPPortReal->text(), QStringLiteral("8252"));
    EXPECT_EQ(Page->seTCPPortCode->value(), 44);
    EXPECT_EQ(Page->seConnectionTimeout->value(), 900);
}

TEST_F(ConnectionPageTest, ComSelectionAbove32SurvivesARestart)
{
    ASSERT_EQ(Page->cbCOMNumber->count(), 256);
    EXPECT_EQ(Page->cbCOMNumber->itemText(255), QStringLiteral("COM256"));
    EXPECT_EQ(Page->cbCOMNumber->itemData(255).toInt(), 256);
    Page->cbCOMNumber->setCurrentIndex(99);
    auto fresh = Restarted(*Page);
    EXPECT_EQ(fresh->cbCOMNumber->currentText(), QStringLiteral("COM100"));
    EXPECT_TRUE(fresh->chkConnected->property("tag") == 1000);
}

class FindDevicePageTest : public PageTest<TfmFindDevice> {
protected:
    void SetUp() override
    {
        PageTest::SetUp();
        Bench().Clear();
        Driver().setSearchTimeout(1);
    }
};

TEST_F(FindDevicePageTest, ReportsThePortAndRateFound)
{
    AddSerialRegister(5, 9600);
    AddSerialRegister(3, 115200);
    Page->btnRead->click();
    EXPECT_EQ(Lines(Page->Memo), (QStringList{"Устройство найдено.", "Порт: COM3, Скорость: 115200"}));
    EXPECT_TRUE(Page->btnRead->isEnabled());
    EXPECT_TRUE(Page->btnStop->isHidden());

    Bench().Clear();
    AddSerialRegister(5, 2400);
    AddSerialRegister(2, 921600);
    Page->btnRead->click();
    EXPECT_EQ(Lines(Page->Memo), (QStringList{"Устройство найдено.", "Порт: COM2, Скорость: 921600"}));

    Bench().Clear();
    Page->btnRead->click();
    EXPECT_EQ(Lines(Page->Memo), QStringList{"Устройство не найдено."});
    // A fault on demand: the search fails.
    AddSerialRegister(1, 115200);
    Driver().setComNumber(1);
    Driver().setBaudRate(6);
    ASSERT_EQ(Driver().GetECRStatus(), 0);
    Bench().Register(0)->Faults().FailNext(M::FindDevice, OrvekResult::PortBusy);
    Page->btnRead->click();
    EXPECT_EQ(Lines(Page->Memo), QStringList{"Устройство не найдено."});
}

TEST_F(FindDevicePageTest, BaudRateTexts)
{
    const int rates[] = {2400, 4800, 9600, 19200, 38400, 57600, 115200, 230400, 460800, 921600};
    for (int code = 0; code < 10; ++code)
        EXPECT_EQ(TfmFindDevice::IntToBaudRate(code), rates[code]);
    for (int code : {-1, 10, 1000})
        EXPECT_EQ(TfmFindDevice::IntToBaudRate(code), 4800);
}

TEST_F(FindDevicePageTest, StopEndsTheSearchAndThePageStaysUsable)
{
    AddSerialRegister(9, 921600);
    Driver().setSearchTimeout(60000);   // a try that is not stopped would outlast the test
    QTimer stopper;
    bool stopShown = false;
    QObject::connect(&stopper, &QTimer::timeout, [&] {
        if (!Page->btnStop->isHidden() && Page->btnStop->isEnabled()) {
            stopShown = true;
            Page->btnStop->click();
        }
    });
    stopper.start(5);
    Page->btnRead->click();
    stopper.stop();
    EXPECT_TRUE(stopShown);
    EXPECT_EQ(Driver().ResultCode(), OrvekResult::Interrupted);
    EXPECT_EQ(Lines(Page->Memo), QStringList{"Устройство не найдено."});
    EXPECT_TRUE(Page->btnRead->isEnabled());
}

// "Прервать" pressed before the driver's search has begun (whose start
// clears a stop asked for earlier) still ends the search.
TEST_F(FindDevicePageTest, AStopBeforeTheSearchBeganStillEndsIt)
{
    auto reg = AddSerialRegister(9, 921600);
    Driver().setComNumber(9);
    Driver().setBaudRate(9);
    ASSERT_EQ(Driver().Connect(), 0);
    Driver().setSearchTimeout(400);   // unstopped, the search finds the register after 9 silent tries
    std::atomic<bool> pressed = false;
    reg->OnCall = [&pressed](OrvekMethod method) {
        if (method != OrvekMethod::FindDevice)
            return;
        const QDeadlineTimer deadline(5000);
        while (!pressed && !deadline.hasExpired())
            std::this_thread::yield();
        TestComponent().TakeInterrupt();   // the search's start came after the press
    };
    QTimer stopper;
    QObject::connect(&stopper, &QTimer::timeout, [&] {
        if (!pressed && !Page->btnStop->isHidden()) {
            Page->btnStop->click();
            pressed = true;
        }
    });
    stopper.start(1);
    Page->btnRead->click();
    reg->OnCall = nullptr;
    EXPECT_TRUE(pressed);
    EXPECT_EQ(Driver().ResultCode(), OrvekResult::Interrupted);
    EXPECT_EQ(Lines(Page->Memo), QStringList{"Устройство не найдено."});
}

TEST_F(FindDevicePageTest, OtherPagesWaitForTheSearch)
{
    // The page in a window beside another page's button.
    QWidget window;
    auto* other = new QPushButton(&window);
    Page->setParent(&window);
    Driver().setSearchTimeout(60000);
    AddSerialRegister(9, 921600);
    bool otherWasDisabled = false;
    QTimer stopper;
    QObject::connect(&stopper, &QTimer::timeout, [&] {
        if (!Page->btnStop->isHidden()) {
            otherWasDisabled = !other->isEnabled();
            Page->btnStop->click();
        }
    });
    stopper.start(5);
    Page->btnRead->click();
    EXPECT_TRUE(otherWasDisabled);
    EXPECT_TRUE(other->isEnabled());
    Page->setParent(nullptr);
}

TEST_F(FindDevicePageTest, ClosingTheWindowStopsTheSearchAndThenCloses)
{
    AddSerialRegister(9, 921600);
    Driver().setSearchTimeout(60000);
    Page->show();
    bool refused = false;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (!Page->btnStop->isHidden()) {
            refused = !Page->close();
            closer.stop();
        }
    });
    closer.start(5);
    Page->btnRead->click();
    EXPECT_TRUE(refused);
    EXPECT_EQ(Driver().ResultCode(), OrvekResult::Interrupted);
    EXPECT_TRUE(Page->isVisible());
    QCoreApplication::processEvents();
    EXPECT_FALSE(Page->isVisible());
}

class LogicDevicePageTest : public PageTest<TfmLogicDevice> {
protected:
    void SetUp() override
    {
        PageTest::SetUp();
        Page->Initialize();
    }
    void Fill(const QString& name, int comIndex, int baud, int timeout, const QString& computer)
    {
        Page->edtLDName->setText(name);
        Page->cbComNumber->setCurrentIndex(comIndex);
        Page->cbBaudRate->setCurrentIndex(baud);
        Page->seTimeout->setValue(timeout);
        Page->edtComputerName->setText(computer);
    }
};

TEST_F(LogicDevicePageTest, AddWritesTheSettingsInOrderAndShowsTheResult)
{
    Fill(QStringLiteral("Касса"), 39, 2, 150, QStringLiteral("server"));
    TestComponent().Trace().Clear();
    Page->btnAddLD->click();
    EXPECT_EQ(TestComponent().Trace().Lines(),
              QStringList{"AddLD(LDName=Касса, LDBaudrate=2, LDComNumber=40, LDComputerName=server, LDTimeout=150)"});
    EXPECT_EQ(Page->seLDNumber->value(), 1);
    EXPECT_EQ(Page->edtLDCount->text(), QStringLiteral("1"));

    Fill(QStringLiteral("Склад"), 4, 6, 100, {});
    Page->btnAddLD->click();
    EXPECT_EQ(Page->seLDNumber->value(), 2);
    EXPECT_EQ(Page->edtLDCount->text(), QStringLiteral("2"));

    // Read back with another driver object: the list outlives it.
    FreeDriver();
    Fill({}, 0, 0, 0, {});
    Page->seLDIndex->setValue(0);
    Page->btnEnumLD->click();
    EXPECT_EQ(Page->edtLDName->text(), QStringLiteral("Касса"));
    EXPECT_EQ(Page->cbComNumber->currentText(), QStringLiteral("COM40"));
    EXPECT_EQ(Page->cbBaudRate->currentIndex(), 2);
    EXPECT_EQ(Page->seTimeout->value(), 150);
    EXPECT_EQ(Page->edtComputerName->text(), QStringLiteral("server"));
    EXPECT_EQ(Page->seLDNumber->value(), 1);

    Page->seLDNumber->setValue(2);
    Page->btnSetActiveLD->click();
    EXPECT_EQ(Driver().ComNumber(), 5);
    Page->seLDNumber->setValue(1);
    Page->btnGetActiveLD->click();
    EXPECT_EQ(Page->seLDNumber->value(), 2);
    EXPECT_EQ(Page->edtLDName->text(), QStringLiteral("Склад"));

    Page->seLDNumber->setValue(1);
    Page->btnDeleteLD->click();
    Page->btnGetCountLD->click();
    EXPECT_EQ(Page->edtLDCount->text(), QStringLiteral("1"));
}

TEST_F(LogicDevicePageTest, ReadBackRunsAlsoAfterAFailure)
{
    Fill(QStringLiteral("Касса"), 2, 6, 100, {});
    Page->btnAddLD->click();
    Fill(QStringLiteral("набрано"), 9, 1, 5, QStringLiteral("x"));
    Page->seLDNumber->setValue(7);
    Page->btnGetParamLD->click();
    EXPECT_EQ(Driver().ResultCode(), OrvekResult::LDNotFound);
    // The controls show what the driver's properties hold: the last written values.
    EXPECT_EQ(Page->seLDNumber->value(), 7);
    EXPECT_EQ(Page->edtLDCount->text(), QStringLiteral("1"));
    EXPECT_EQ(Page->edtLDName->text(), QStringLiteral("Касса"));

    // Set parameters writes the number, then the settings, and reads nothing back.
    Page->seLDNumber->setValue(1);
    Fill(QStringLiteral("Касса 2"), 2, 6, 100, {});
    TestComponent().Trace().Clear();
    Page->btnSetParamLD->click();
    EXPECT_EQ(TestComponent().Trace().Lines(),
              QStringList{"SetParamLD(LDNumber=1, LDName=Касса 2, LDBaudrate=6, LDComNumber=3, LDComputerName=, LDTimeout=100)"});
    EXPECT_EQ(Driver().ResultCode(), 0);
}

TEST_F(LogicDevicePageTest, ComputerNamePrompt)
{
    Page->edtComputerName->setText(QStringLiteral("old"));
    TestDialogs().answerPromptCancel();
    Page->btnComputerName->click();
    EXPECT_EQ(Page->edtComputerName->text(), QStringLiteral("old"));
    ASSERT_FALSE(TestDialogs().shown().empty());
    EXPECT_EQ(TestDialogs().shown().back().prompt.caption, QStringLiteral("Укажите имя компьютера"));

    for (const char* bad : {"bad name", "host:0", "host:70000", "-host", "a..b", ""}) {
        TestDialogs().answerPrompt(QString::fromUtf8(bad));
        Page->btnComputerName->click();
        EXPECT_EQ(Page->edtComputerName->text(), QStringLiteral("old")) << bad;
        EXPECT_TRUE(TestDialogs().lastMessage().contains(QStringLiteral("Неверное имя компьютера"))) << bad;
    }
    for (const char* good : {"server-2", "server-2.local:7790", "127.0.0.1:7790", "::1", "[::1]:7790"}) {
        TestDialogs().answerPrompt(QString::fromUtf8(good));
        Page->btnComputerName->click();
        EXPECT_EQ(Page->edtComputerName->text(), QString::fromUtf8(good));
    }
    EXPECT_EQ(TestDialogs().unexpected(), 0);
}

class PrintServerPageTest : public PageTest<TfmPrintServer> {
protected:
    void SetUp() override
    {
        PageTest::SetUp();
        Server = std::make_unique<TPrintServer>();
        Server->Start();
        Page->Initialize();
        Page->edtComputerName->setText(QStringLiteral("localhost:%1").arg(Server->Port()));
    }
    void TearDown() override
    {
        PageTest::TearDown();
        Server.reset();
    }
    std::unique_ptr<TPrintServer> Server;
};

TEST_F(PrintServerPageTest, TwoDriverObjectsShareTheServersLocks)
{
    TOrvek other;
    other.setComputerName(Page->edtComputerName->text());
    ASSERT_EQ(other.ServerConnect(), 0);
    other.setComNumber(33);
    ASSERT_EQ(other.LockPort(), 0);

    Page->btnServerConnect->click();
    EXPECT_EQ(Driver().ResultCode(), 0);
    Page->cbCOMNumber->setCurrentIndex(32);
    Page->btnLockPort->click();
    EXPECT_EQ(Driver().ResultCode(), OrvekResult::PortBusy);
    Page->btnAdminUnlockPort->click();
    EXPECT_EQ(Driver().ResultCode(), 0);
    Page->btnLockPort->click();
    EXPECT_EQ(Driver().ResultCode(), 0);
    EXPECT_EQ(other.LockPort(), OrvekResult::PortBusy);
    Page->btnUnlockPort->click();
    EXPECT_EQ(other.LockPort(), 0);
    Page->btnAdminUnlockPorts->click();
    Page->btnLockPort->click();
    EXPECT_EQ(Driver().ResultCode(), 0);
    Page->btnServerDisconnect->click();
    EXPECT_EQ(other.LockPort(), 0);

    // No server: a link error.
    Server.reset();
    Page->btnServerConnect->click();
    EXPECT_EQ(Driver().ResultCode(), OrvekResult::NoLink);
}

TEST_F(PrintServerPageTest, DeleteAndCreateDriverRunNoResultCycle)
{
    Driver().setPassword(1);
    NotifierCount cycles;
    Page->btnDeleteDriver->click();
    EXPECT_FALSE(DriverExists());
    Page->btnCreateDriver->click();
    EXPECT_TRUE(DriverExists());
    EXPECT_EQ(cycles.Count, 0);
    EXPECT_EQ(Driver().Password(), 30);   // a fresh object with the driver's defaults
    Page->btnLockPort->click();
    EXPECT_EQ(cycles.Count, 2);
}

TEST_F(PrintServerPageTest, DeleteDriverIsRefusedWhileAJobHoldsIt)
{
    Driver();
    {
        TDriverJob loop;   // a loop of another page
        Page->btnDeleteDriver->click();
        EXPECT_TRUE(DriverExists());
        EXPECT_TRUE(TestDialogs().lastMessage().contains(QStringLiteral("выполняется операция")));
        EXPECT_THROW(FreeDriver(), Exception);
    }
    std::atomic<bool> release = false;
    bool ended = false;
    TNotifyThread worker([&release](TNotifyThread*) {
        while (!release)
            std::this_thread::yield();
    });
    worker.SetOnTerminate([&ended](TNotifyThread*) { ended = true; });
    ResumeDriverJob(worker);
    TestDialogs().clear();
    Page->btnDeleteDriver->click();
    EXPECT_TRUE(DriverExists());
    EXPECT_TRUE(TestDialogs().lastMessage().contains(QStringLiteral("Дождитесь")));
    release = true;
    worker.WaitFor();
    EXPECT_TRUE(ended);   // the worker's own end handler ran
    EXPECT_EQ(TDriverJob::Count(), 0);
    Page->btnDeleteDriver->click();
    EXPECT_FALSE(DriverExists());
}

TEST_F(PrintServerPageTest, ShowingMirrorsTheDriverOnlyWhenItExists)
{
    FreeDriver();
    Page->show();
    EXPECT_FALSE(DriverExists());
    EXPECT_EQ(Page->edtComputerName->text(), QStringLiteral("localhost:%1").arg(Server->Port()));
    Page->hide();
    Driver().setComNumber(200);
    Driver().setComputerName(QStringLiteral("srv"));
    Page->show();
    EXPECT_EQ(Page->cbCOMNumber->currentText(), QStringLiteral("COM200"));
    EXPECT_EQ(Page->edtComputerName->text(), QStringLiteral("srv"));
}

TEST(ComputerNames, Validity)
{
    for (const char* good : {"localhost", "host-1.example", "10.0.0.1:7790", "fe80::1", "[::1]:1"})
        EXPECT_TRUE(IsValidComputerName(QString::fromUtf8(good))) << good;
    for (const char* bad : {"", " host", "host ", "ho st", "host:", "host:+5", "host:65536", "[::1]:x", "a_b",
                            "-a", "a-", "a..b"})
        EXPECT_FALSE(IsValidComputerName(QString::fromUtf8(bad))) << bad;
}
