// The connection services of the emulated driver: exchange parameters per
// interface, the Connected property, the waits, the device search and its
// stop, logical devices and the print server.
#include "tests/DriverTestSupport.h"
#include "tests/TestSupport.h"

#include "emulator/LogicalDevices.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/PrintServer.h"
#include "emulator/RegisterReceipt.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTcpSocket>
#include <atomic>
#include <thread>

using M = OrvekMethod;

namespace {
constexpr std::int32_t Rub = 10000;

std::shared_ptr<EmulatedRegister> AddSerialRegister(int com, int baud)
{
    RegisterConfig c;
    c.Name = QStringLiteral("COM%1").arg(com);
    c.ComNumber = com;
    c.BaudRate = baud;
    c.Host.clear();
    return Bench().Add(c);
}

// A wait of the driver object while another driver object on a worker makes
// a call that ends it.
std::int32_t WaitWhileAnotherCalls(std::int32_t (TOrvek::*wait)(), std::int32_t (TOrvek::*call)())
{
    Driver().setConnectionTimeout(20000);
    std::thread worker([call] {
        TOrvek other;
        other.setPassword(30);
        (other.*call)();
    });
    const std::int32_t code = (Driver().*wait)();
    worker.join();
    return code;
}

// Runs a call on a worker and interrupts it until it returns.
std::int32_t Interrupted(const std::function<std::int32_t()>& call)
{
    std::atomic<bool> done = false;
    std::int32_t code = 0;
    std::thread worker([&] {
        code = call();
        done = true;
    });
    while (!done) {
        TestComponent().Interrupt();
        std::this_thread::yield();
    }
    worker.join();
    return code;
}
} // namespace

class ConnectionServicesTest : public DriverTest {};

TEST_F(ConnectionServicesTest, ExchangeParametersAreKeptPerInterface)
{
    // The TCP socket reports the register's own port until it is set.
    Driver().setPortNumber(128);
    ASSERT_EQ(Driver().GetExchangeParam(), 0);
    EXPECT_EQ(Driver().TCPPort(), TestRegister().Config().TcpPort);

    const int interfaces[] = {0, 1, 2, 3, 128};
    for (int i : interfaces) {
        Driver().setPortNumber(i);
        Driver().setBaudRate(6);   // the RS-232 rate stays, so this object keeps reaching the register
        Driver().setTimeout(100 + i);
        Driver().setTCPPort(0x1030 + i);
        ASSERT_EQ(Driver().SetExchangeParam(), 0) << i;
    }
    Driver().setPortNumber(2);
    Driver().setBaudRate(3);
    Driver().setTimeout(102);
    Driver().setTCPPort(0x1032);
    ASSERT_EQ(Driver().SetExchangeParam(), 0);
    for (int i : interfaces) {
        Driver().setPortNumber(i);
        Driver().setTimeout(0);
        Driver().setTCPPort(0);
        Driver().setBaudRate(6);
        ASSERT_EQ(Driver().GetExchangeParam(), 0) << i;
        EXPECT_EQ(Driver().Timeout(), 100 + i) << i;
        EXPECT_EQ(Driver().TCPPort(), 0x1030 + i) << i;
        EXPECT_EQ(Driver().BaudRate(), i == 2 ? 3 : 6) << i;
    }
    EXPECT_EQ(TestRegister().SerialBaud(), 115200);

    for (int bad : {4, -1, 127, 129}) {
        Driver().setPortNumber(bad);
        EXPECT_EQ(Driver().GetExchangeParam(), OrvekResult::BadParameter) << bad;
        EXPECT_EQ(Driver().SetExchangeParam(), OrvekResult::BadParameter) << bad;
    }
    Driver().setPortNumber(128);
    Driver().setTCPPort(70000);
    EXPECT_EQ(Driver().SetExchangeParam(), OrvekResult::BadParameter);
    TestRegister().Faults().FailNext(M::GetExchangeParam, OrvekResult::PrinterBusy);
    EXPECT_EQ(Driver().GetExchangeParam(), OrvekResult::PrinterBusy);
}

TEST_F(ConnectionServicesTest, WritingConnectedConnectsAndDisconnects)
{
    Driver().setConnected(true);
    EXPECT_TRUE(Driver().Connected());
    EXPECT_EQ(Driver().ResultCode(), 0);
    EXPECT_EQ(TestComponent().ConnectedRegister().get(), &TestRegister());

    Driver().setConnected(false);
    EXPECT_FALSE(Driver().Connected());
    EXPECT_EQ(TestComponent().ConnectedRegister(), nullptr);

    // Nothing at the address, or a lost link on demand: the property stays false.
    Driver().setComNumber(7);
    Driver().setConnected(true);
    EXPECT_FALSE(Driver().Connected());
    EXPECT_EQ(Driver().ResultCode(), OrvekResult::NoLink);
    Driver().setComNumber(1);
    TestRegister().Faults().FailNext(M::Connect, OrvekResult::NoLink);
    Driver().setConnected(true);
    EXPECT_FALSE(Driver().Connected());
    Driver().setConnected(true);
    EXPECT_TRUE(Driver().Connected());
}

TEST_F(ConnectionServicesTest, WaitsEndOnTheRealStateOrTheTimeout)
{
    // No register on COM7: the wait gives up after ConnectionTimeout.
    Driver().setComNumber(7);
    Driver().setConnectionTimeout(20);
    EXPECT_EQ(Driver().WaitConnection(), OrvekResult::NoLink);
    Driver().setComNumber(1);
    EXPECT_EQ(Driver().WaitConnection(), 0);
    EXPECT_TRUE(Driver().Connected());

    EXPECT_EQ(Driver().WaitForCheckClose(), 0);   // no receipt open
    Driver().setPrice(10 * Rub);
    Driver().setQuantity(1);
    Driver().setDepartment(1);
    ASSERT_EQ(Driver().Sale(), 0);
    EXPECT_EQ(Driver().WaitForCheckClose(), OrvekResult::ReceiptOpen);

    // Another driver object closes the receipt while this one waits (the
    // wait leaves the register to it).
    EXPECT_EQ(WaitWhileAnotherCalls(&TOrvek::WaitForCheckClose, &TOrvek::CancelCheck), 0);
}

TEST_F(ConnectionServicesTest, WaitForPrintingEndsWhenTheWaitingLinesArePrinted)
{
    Driver().setConnectionTimeout(10);
    EXPECT_EQ(Driver().WaitForPrinting(), 0);   // nothing waits
    RegisterReceipt& receipt = TestRegister().Area<RegisterReceipt>();
    Driver().setPrice(10 * Rub);
    Driver().setQuantity(1);
    Driver().setDepartment(1);
    ASSERT_EQ(Driver().Sale(), 0);
    receipt.PaperLeft = 0;   // the rest of the receipt waits for paper
    Driver().setSumm1(10 * Rub);
    Driver().CloseCheck();
    ASSERT_FALSE(receipt.WaitingLines().isEmpty());
    EXPECT_EQ(Driver().WaitForPrinting(), OrvekResult::NoPaper);
    TestRegister().SetFlag(EcrFlag::ReceiptRibbonIsPresent, true);
    EXPECT_EQ(Driver().WaitForPrinting(), OrvekResult::WaitingContinuePrint);

    // Another driver object continues the printing while this one waits.
    EXPECT_EQ(WaitWhileAnotherCalls(&TOrvek::WaitForPrinting, &TOrvek::ContinuePrint), 0);
    EXPECT_TRUE(receipt.WaitingLines().isEmpty());
}

TEST_F(ConnectionServicesTest, FindDeviceTakesTheLowestPortAtItsRate)
{
    Bench().Clear();
    AddSerialRegister(5, 9600);
    AddSerialRegister(2, 57600);
    Driver().setSearchTimeout(1);
    Driver().setComNumber(9);
    ASSERT_EQ(Driver().FindDevice(), 0);
    EXPECT_EQ(Driver().ComNumber(), 2);
    EXPECT_EQ(Driver().BaudRate(), 5);
    EXPECT_TRUE(Driver().Connected());

    // A register made silent on demand is passed over.
    Bench().Register(1)->Faults().FailNext(M::FindDevice, OrvekResult::NoLink, 10);
    FreeDriver();
    Driver().setSearchTimeout(1);
    ASSERT_EQ(Driver().FindDevice(), 0);
    EXPECT_EQ(Driver().ComNumber(), 5);
    EXPECT_EQ(Driver().BaudRate(), 2);

    Bench().Clear();
    FreeDriver();
    Driver().setSearchTimeout(1);
    EXPECT_EQ(Driver().FindDevice(), OrvekResult::NoLink);
    EXPECT_FALSE(Driver().Connected());
}

TEST_F(ConnectionServicesTest, AnInterruptStopsTheSearchBeforeItsNextTry)
{
    Bench().Clear();
    AddSerialRegister(9, 921600);
    Driver().setSearchTimeout(60000);   // a try that is not stopped would outlast the test
    const std::int32_t code = Interrupted([] { return Driver().FindDevice(); });
    EXPECT_EQ(code, OrvekResult::Interrupted);
    EXPECT_EQ(Driver().ResultCodeDescription(), QStringLiteral("Операция прервана пользователем"));
    // An interrupt before a call does not stop it.
    TestComponent().Interrupt();
    Driver().setSearchTimeout(0);
    EXPECT_EQ(Driver().FindDevice(), 0);
    EXPECT_EQ(Driver().BaudRate(), 9);
}

TEST_F(ConnectionServicesTest, LogicalDevicesAreKeptForEveryDriverObject)
{
    const auto add = [](const QString& name, int com, int baud, const QString& computer) {
        Driver().setLDName(name);
        Driver().setLDComNumber(com);
        Driver().setLDBaudrate(baud);
        Driver().setLDTimeout(150);
        Driver().setLDComputerName(computer);
        EXPECT_EQ(Driver().AddLD(), 0);
        return Driver().LDNumber();
    };
    EXPECT_EQ(Driver().GetActiveLD(), OrvekResult::LDNotFound);
    const int first = add(QStringLiteral("Касса 1"), 3, 2, {});
    const int second = add(QStringLiteral("Зал - 2"), 200, 9, QStringLiteral("host:7790"));
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 2);
    EXPECT_EQ(Driver().LDCount(), 2);

    // A new driver object (and the next run) sees the list.
    FreeDriver();
    ASSERT_EQ(Driver().GetCountLD(), 0);
    EXPECT_EQ(Driver().LDCount(), 2);
    Driver().setLDIndex(1);
    ASSERT_EQ(Driver().EnumLD(), 0);
    EXPECT_EQ(Driver().LDNumber(), second);
    EXPECT_EQ(Driver().LDName(), QStringLiteral("Зал - 2"));
    EXPECT_EQ(Driver().LDComNumber(), 200);
    EXPECT_EQ(Driver().LDBaudrate(), 9);
    EXPECT_EQ(Driver().LDComputerName(), QStringLiteral("host:7790"));

    // The active one applies its settings.
    Driver().setLDNumber(first);
    ASSERT_EQ(Driver().SetActiveLD(), 0);
    EXPECT_EQ(Driver().ComNumber(), 3);
    EXPECT_EQ(Driver().BaudRate(), 2);
    EXPECT_EQ(Driver().Timeout(), 150);
    TOrvek other;
    ASSERT_EQ(other.GetActiveLD(), 0);
    EXPECT_EQ(other.LDName(), QStringLiteral("Касса 1"));

    Driver().setLDNumber(first);
    Driver().setLDName(QStringLiteral("Касса 1а"));
    Driver().setLDComNumber(4);
    ASSERT_EQ(Driver().SetParamLD(), 0);
    ASSERT_EQ(other.GetActiveLD(), 0);
    EXPECT_EQ(other.LDName(), QStringLiteral("Касса 1а"));
    EXPECT_EQ(other.LDComNumber(), 4);

    // Unknown numbers and indexes, bad settings.
    for (int number : {0, 3, -1}) {
        Driver().setLDNumber(number);
        EXPECT_EQ(Driver().GetParamLD(), OrvekResult::LDNotFound) << number;
        EXPECT_EQ(Driver().SetParamLD(), OrvekResult::LDNotFound) << number;
        EXPECT_EQ(Driver().DeleteLD(), OrvekResult::LDNotFound) << number;
        EXPECT_EQ(Driver().SetActiveLD(), OrvekResult::LDNotFound) << number;
    }
    for (int index : {-1, 2}) {
        Driver().setLDIndex(index);
        EXPECT_EQ(Driver().EnumLD(), OrvekResult::LDNotFound) << index;
    }
    Driver().setLDComNumber(0);
    EXPECT_EQ(Driver().AddLD(), OrvekResult::BadParameter);
    EXPECT_EQ(Driver().LDCount(), 2);

    // Deleting the active one leaves none active.
    Driver().setLDNumber(first);
    ASSERT_EQ(Driver().DeleteLD(), 0);
    EXPECT_EQ(Driver().LDCount(), 1);
    EXPECT_EQ(other.GetActiveLD(), OrvekResult::LDNotFound);
    EXPECT_TRUE(QFile::exists(LogicalDeviceList::FileName()));
}

// The list's file is kept as the registry is: a full disk or a file that
// cannot be read leaves it as it was, a damaged one is copied aside and told.
TEST_F(ConnectionServicesTest, TheLogicalDevicesFileIsNeverWrittenOverUnread)
{
    const QString file = LogicalDeviceList::FileName();
    const QByteArray two = "active 0\nld 1 3 2 150 A -\nld 2 4 2 150 B -\n";
    const auto add = [] {
        Driver().setLDName(QStringLiteral("C"));
        Driver().setLDComNumber(5);
        Driver().setLDBaudrate(2);
        Driver().setLDTimeout(100);
        Driver().setLDComputerName({});
        return Driver().AddLD();
    };
    ASSERT_TRUE(WriteBytes(file, two));
    {
        TFullDisk full(16);
        EXPECT_EQ(add(), OrvekResult::FileError);
    }
    EXPECT_EQ(FileBytes(file), two);
    EXPECT_TRUE(Driver().ResultCodeDescription().contains(file)) << Driver().ResultCodeDescription().toStdString();

    QFile::setPermissions(file, {});
    {
        TPermissionsApply permissions;
        EXPECT_EQ(add(), OrvekResult::FileError);
    }
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(FileBytes(file), two);
    EXPECT_TRUE(TestDialogs().lastMessage().startsWith(QStringLiteral("Файл логических устройств %1 не читается: ").arg(file)))
        << TestDialogs().lastMessage().toStdString();

    struct Case { QByteArray bytes; int count; } cases[] = {
        {two + "ld 3 5 2\n", 3},                                  // cut off
        {QByteArray("\x00\xff\x01 not a list\n", 16), 1},       // garbage
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(WriteBytes(file, c.bytes));
        const qsizetype shown = TestDialogs().messages().size();
        EXPECT_EQ(add(), 0);
        EXPECT_EQ(Driver().LDCount(), c.count);
        EXPECT_EQ(TestDialogs().messages().size(), shown + 1);
        EXPECT_TRUE(TestDialogs().lastMessage().startsWith(QStringLiteral("Файл логических устройств %1 повреждён").arg(file)))
            << TestDialogs().lastMessage().toStdString();
        QStringList kept;
        const QDir dir = QFileInfo(file).dir();
        for (const QString& copy : dir.entryList({QStringLiteral("LogicalDevices.txt.*.bad")}, QDir::Files))
            if (FileBytes(dir.filePath(copy)) == c.bytes)
                kept << copy;
        EXPECT_EQ(kept.size(), 1);
    }
}

class PrintServerTest : public DriverTest {
protected:
    void SetUp() override
    {
        DriverTest::SetUp();
        Server = std::make_unique<TPrintServer>();
        Server->Start();
        Address = QStringLiteral("127.0.0.1:%1").arg(Server->Port());
    }
    void TearDown() override
    {
        DriverTest::TearDown();
        Server.reset();
    }
    std::int32_t Connect(TOrvek& d)
    {
        d.setComputerName(Address);
        return d.ServerConnect();
    }
    static std::int32_t Lock(TOrvek& d, int com)
    {
        d.setComNumber(com);
        return d.LockPort();
    }

    std::unique_ptr<TPrintServer> Server;
    QString Address;
};

TEST_F(PrintServerTest, PortLocksLiveInTheServerForAllClients)
{
    auto other = std::make_unique<TOrvek>();
    ASSERT_EQ(Connect(Driver()), 0);
    ASSERT_EQ(Connect(*other), 0);
    EXPECT_EQ(Lock(Driver(), 3), 0);
    EXPECT_EQ(Lock(*other, 3), OrvekResult::PortBusy);
    EXPECT_EQ(Lock(*other, 4), 0);
    EXPECT_EQ(Lock(Driver(), 3), 0);   // one's own port again

    // The administrator frees another's port.
    other->setComNumber(3);
    EXPECT_EQ(other->AdminUnlockPort(), 0);
    EXPECT_EQ(Lock(*other, 3), 0);
    EXPECT_EQ(Lock(Driver(), 3), OrvekResult::PortBusy);
    // UnlockPort frees only one's own.
    Driver().setComNumber(4);
    EXPECT_EQ(Driver().UnlockPort(), 0);
    EXPECT_EQ(Lock(Driver(), 4), OrvekResult::PortBusy);
    EXPECT_EQ(Driver().AdminUnlockPorts(), 0);
    EXPECT_EQ(Lock(Driver(), 4), 0);
    EXPECT_EQ(Lock(*other, 4), OrvekResult::PortBusy);

    // A client that disconnects or goes away frees its ports.
    EXPECT_EQ(Driver().ServerDisconnect(), 0);
    EXPECT_EQ(Lock(*other, 4), 0);
    other.reset();
    ASSERT_EQ(Connect(Driver()), 0);
    EXPECT_EQ(Lock(Driver(), 3), 0);
    EXPECT_EQ(Lock(Driver(), 4), 0);
}

TEST_F(PrintServerTest, ServerConnectionTypesReachTheirRegisterThroughTheServer)
{
    Driver().setConnectionType(1);
    EXPECT_EQ(Driver().GetECRStatus(), OrvekResult::NoLink);   // no server link
    ASSERT_EQ(Connect(Driver()), 0);
    EXPECT_EQ(Driver().GetECRStatus(), 0);
    EXPECT_EQ(TestComponent().ConnectedRegister().get(), &TestRegister());

    TOrvek other;
    ASSERT_EQ(Connect(other), 0);
    other.setConnectionType(2);
    ASSERT_EQ(Lock(Driver(), 1), 0);
    EXPECT_EQ(other.GetECRStatus(), OrvekResult::PortBusy);
}

TEST_F(PrintServerTest, WithoutAServerTheCallsGiveALinkError)
{
    const quint16 closed = Server->Port();
    Server.reset();
    const QString names[] = {QStringLiteral("127.0.0.1:%1").arg(closed),
                             QStringLiteral("192.168.1.50:%1").arg(closed),   // never dialled
                             QStringLiteral("host:99999"), QStringLiteral("host:")};
    for (const QString& name : names) {
        Driver().setComputerName(name);
        EXPECT_EQ(Driver().ServerConnect(), OrvekResult::NoLink) << name.toStdString();
    }
    EXPECT_EQ(Driver().AdminUnlockPort(), OrvekResult::NoLink);
    EXPECT_EQ(Driver().AdminUnlockPorts(), OrvekResult::NoLink);
    EXPECT_EQ(Driver().ServerDisconnect(), 0);
}

TEST(PrintServerProtocol, RequestLines)
{
    struct Case {
        const char* Line;
        PrintServerRequest::Kind Kind;
        int Com;
    } cases[] = {
        {"LOCK 3", PrintServerRequest::Lock, 3},
        {"UNLOCK 256\r", PrintServerRequest::Unlock, 256},
        {"OPEN  1", PrintServerRequest::Open, 1},
        {"ADMINUNLOCK 2", PrintServerRequest::AdminUnlock, 2},
        {"ADMINUNLOCKALL", PrintServerRequest::AdminUnlockAll, 0},
        {"BYE", PrintServerRequest::Bye, 0},
        {"LOCK 0", PrintServerRequest::Invalid, 0},
        {"LOCK 257", PrintServerRequest::Invalid, 0},
        {"LOCK", PrintServerRequest::Invalid, 0},
        {"LOCK 3 4", PrintServerRequest::Invalid, 0},
        {"ADMINUNLOCKALL 3", PrintServerRequest::Invalid, 0},
        {"lock 3", PrintServerRequest::Invalid, 0},
        {"", PrintServerRequest::Invalid, 0},
    };
    for (const Case& c : cases) {
        const PrintServerRequest r = ParsePrintServerRequest(c.Line);
        EXPECT_EQ(r.Command, c.Kind) << c.Line;
        EXPECT_EQ(r.ComNumber, c.Com) << c.Line;
    }
}

// Clients that keep a slot without whole requests (idle, or trickling one
// byte at a time) are closed after the idle time-out, and the ports they
// hold are freed with their connection.
TEST(PrintServerClients, IdleAndSlowClientsAreClosedAndTheirPortsFreed)
{
    TPrintServer server(0, std::chrono::milliseconds(300));
    server.Start();
    const QString address = QStringLiteral("127.0.0.1:%1").arg(server.Port());
    TPrintServerLink holder;
    ASSERT_TRUE(holder.Connect(address, 2000));
    ASSERT_EQ(holder.Request("LOCK 3", 2000), "OK");
    std::vector<std::unique_ptr<TPrintServerLink>> idle;
    for (int i = 2; i < TPrintServer::MaxClients; ++i) {
        idle.push_back(std::make_unique<TPrintServerLink>());
        ASSERT_TRUE(idle.back()->Connect(address, 2000));
    }
    QTcpSocket slow;
    slow.connectToHost(QHostAddress::LocalHost, server.Port());
    ASSERT_TRUE(slow.waitForConnected(2000));
    QElapsedTimer elapsed;
    elapsed.start();
    int sent = 0;
    while (slow.state() == QAbstractSocket::ConnectedState && elapsed.elapsed() < 10000) {
        slow.write(QByteArray(1, "LOCK 3"[sent % 6]));
        slow.waitForBytesWritten(1000);
        ++sent;
        slow.waitForDisconnected(50);
    }
    EXPECT_EQ(slow.state(), QAbstractSocket::UnconnectedState);
    EXPECT_LT(sent, TPrintServer::MaxLine / 2);

    // Every slot is free again, and the quiet holder's port with its connection.
    TPrintServerLink newcomer;
    ASSERT_TRUE(newcomer.Connect(address, 2000));
    EXPECT_EQ(newcomer.Request("LOCK 3", 2000), "OK");
    EXPECT_EQ(holder.Request("OPEN 3", 2000), "");
    EXPECT_FALSE(holder.Connected());
    // A client that keeps asking is not idle.
    elapsed.restart();
    while (elapsed.elapsed() < 700)
        ASSERT_EQ(newcomer.Request("OPEN 3", 2000), "OK");
}
