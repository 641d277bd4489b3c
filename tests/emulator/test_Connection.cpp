// Connection to the bench's registers: addresses, link errors, several
// driver objects on one register, the port lock, device search.
#include "tests/DriverTestSupport.h"

#include "emulator/OrvekResultCodes.h"
#include "tests/TestSupport.h"

#include <QCoreApplication>
#include <QProcess>
#include <cstdio>

class ConnectionTest : public DriverTest {
protected:
    // The bench's one register keeps its state in a folder.
    static void KeepRegisterIn(const QString& folder)
    {
        Bench().Clear();
        RegisterConfig c;
        c.StateFolder = folder;
        Bench().Add(c);
    }
};

TEST_F(ConnectionTest, DriverConnectsByItselfOnTheDefaultPortAndTcp)
{
    EXPECT_FALSE(Driver().Connected());
    EXPECT_EQ(Driver().GetECRStatus(), 0);  // no Connect before
    EXPECT_TRUE(Driver().Connected());
    EXPECT_EQ(Driver().SerialNumber(), TestRegister().Config().Serial);

    Driver().setConnectionType(6);
    Driver().setIPAddress(QStringLiteral("127.0.0.1"));
    Driver().setTCPPort(7778);
    EXPECT_EQ(Driver().GetECRStatus(), 0);
    EXPECT_EQ(TestComponent().ConnectedRegister().get(), &TestRegister());
    // The host may be named by ComputerName.
    Driver().setIPAddress(QString());
    Driver().setComputerName(QStringLiteral("localhost"));
    EXPECT_EQ(Driver().GetECRStatus(), 0);

    EXPECT_EQ(Driver().Disconnect(), 0);
    EXPECT_FALSE(Driver().Connected());
}

TEST_F(ConnectionTest, DecimalPointIsKnownFromTheFirstCall)
{
    EXPECT_FALSE(Driver().PointPosition());   // nothing connected yet
    ASSERT_EQ(Driver().Beep(), 0);
    EXPECT_TRUE(Driver().PointPosition());
    FreeDriver();
    TestRegister().SetFlag(EcrFlag::PointPosition, false);
    ASSERT_EQ(Driver().Beep(), 0);
    EXPECT_FALSE(Driver().PointPosition());
    EXPECT_EQ(TestRegister().CallCount(OrvekMethod::GetECRStatus), 0);
}

TEST_F(ConnectionTest, SettingsThatMatchNoRegisterGiveALinkError)
{
    struct Case {
        int Type, Com, Baud;
        QString Host;
        int Port;
    } cases[] = {
        {0, 1, 2, {}, 0},                              // COM1 at 9600: the register answers at 115200 only
        {0, 2, 6, {}, 0},                              // nothing on COM2
        {0, 1, 42, {}, 0},                             // unknown baud-rate code
        {6, 1, 6, QStringLiteral("127.0.0.1"), 7779},  // wrong TCP port
        {6, 1, 6, QStringLiteral("10.0.0.1"), 7778},   // wrong host
        {4, 1, 6, {}, 0},                              // connection type without registers
    };
    for (const Case& c : cases) {
        FreeDriver();
        Driver().setConnectionType(c.Type);
        Driver().setComNumber(c.Com);
        Driver().setBaudRate(c.Baud);
        Driver().setIPAddress(c.Host);
        Driver().setTCPPort(c.Port);
        EXPECT_EQ(Driver().GetECRStatus(), OrvekResult::NoLink) << c.Type << " " << c.Com << " " << c.Baud;
        EXPECT_EQ(Driver().ResultCodeDescription(), QStringLiteral("Нет связи"));
        EXPECT_FALSE(Driver().ECRInput().isEmpty());
        EXPECT_TRUE(Driver().ECROutput().isEmpty());
        EXPECT_FALSE(Driver().Connected());
    }
}

TEST_F(ConnectionTest, ChangedSettingsTakeEffectAtTheNextCall)
{
    auto second = Bench().Add([] {
        RegisterConfig c;
        c.Name = QStringLiteral("Вторая");
        c.ComNumber = 3;
        c.BaudRate = 9600;
        c.Host = QStringLiteral("127.0.0.1");
        c.TcpPort = 7790;
        c.Serial = QStringLiteral("0000000000000777");
        return c;
    }());
    ASSERT_EQ(Driver().ReadSerialNumber(), 0);
    EXPECT_EQ(Driver().SerialNumber(), TestRegister().Config().Serial);
    Driver().setComNumber(3);
    Driver().setBaudRate(2);
    ASSERT_EQ(Driver().ReadSerialNumber(), 0);
    EXPECT_EQ(Driver().SerialNumber(), QStringLiteral("0000000000000777"));
    EXPECT_EQ(TestComponent().ConnectedRegister(), second);
}

TEST_F(ConnectionTest, TwoDriverObjectsReachTheSameRegister)
{
    TOrvek other;
    other.setPassword(30);
    ASSERT_EQ(Driver().OpenSession(), 0);
    ASSERT_EQ(other.GetECRStatus(), 0);
    EXPECT_EQ(other.ECRMode(), 2);
    EXPECT_EQ(other.ECRModeDescription(), QStringLiteral("Открытая смена, 24 часа не кончились"));
    ASSERT_EQ(other.PrintReportWithCleaning(), 0);
    ASSERT_EQ(Driver().GetShortECRStatus(), 0);
    EXPECT_EQ(Driver().ECRMode(), 4);
}

TEST_F(ConnectionTest, PortLockKeepsOtherDriverObjectsOut)
{
    auto other = std::make_unique<TOrvek>();
    ASSERT_EQ(Driver().LockPort(), 0);
    EXPECT_EQ(other->GetShortECRStatus(), OrvekResult::PortBusy);
    EXPECT_EQ(Driver().GetShortECRStatus(), 0);
    EXPECT_EQ(Driver().UnlockPort(), 0);
    EXPECT_EQ(other->GetShortECRStatus(), 0);

    // A driver object that goes away gives the port back.
    ASSERT_EQ(other->LockPort(), 0);
    EXPECT_EQ(Driver().GetShortECRStatus(), OrvekResult::PortBusy);
    other.reset();
    EXPECT_EQ(Driver().GetShortECRStatus(), 0);
}

TEST_F(ConnectionTest, FindDeviceAndExchangeParameters)
{
    Bench().Clear();
    RegisterConfig c;
    c.ComNumber = 4;
    c.BaudRate = 19200;
    Bench().Add(c);
    Driver().setComNumber(9);
    ASSERT_EQ(Driver().FindDevice(), 0);
    EXPECT_EQ(Driver().ComNumber(), 4);
    EXPECT_EQ(Driver().BaudRate(), 3);

    // The register moves to 57600; the driver object that told it follows.
    TOrvek other;
    other.setComNumber(4);
    other.setBaudRate(3);
    ASSERT_EQ(other.GetShortECRStatus(), 0);
    Driver().setPortNumber(0);
    Driver().setBaudRate(5);
    Driver().setTimeout(150);
    ASSERT_EQ(Driver().SetExchangeParam(), 0);
    EXPECT_EQ(Driver().GetShortECRStatus(), 0);
    EXPECT_EQ(other.GetShortECRStatus(), 0);  // still connected to it
    other.Disconnect();
    EXPECT_EQ(other.GetShortECRStatus(), OrvekResult::NoLink);
    Driver().setBaudRate(0);
    Driver().setTimeout(0);
    ASSERT_EQ(Driver().GetExchangeParam(), 0);
    EXPECT_EQ(Driver().BaudRate(), 5);
    EXPECT_EQ(Driver().Timeout(), 150);

    Bench().Clear();
    FreeDriver();
    EXPECT_EQ(Driver().FindDevice(), OrvekResult::NoLink);
}

// Started by RegisterPortIsTakenByAnotherProgram: the same register in
// another program. Reads "connect" and "disconnect" lines, answers each
// with the result code; ends at the end of its input.
TEST_F(ConnectionTest, DISABLED_PortChild)
{
    KeepRegisterIn(qEnvironmentVariable("LUMAQ_REGISTER_FOLDER"));
    char line[64];
    while (std::fgets(line, sizeof line, stdin)) {
        const QByteArray command = QByteArray(line).trimmed();
        const int code = command == "connect" ? Driver().Connect() : command == "disconnect" ? Driver().Disconnect() : 1;
        std::printf("answer %d\n", code);
        std::fflush(stdout);
    }
}

namespace {
// The register's other program.
class TPortChild {
public:
    explicit TPortChild(const QString& folder)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LUMAQ_REGISTER_FOLDER", folder);
        FProcess.setProcessEnvironment(env);
        FProcess.start(QCoreApplication::applicationFilePath(),
                       {"--gtest_also_run_disabled_tests", "--gtest_filter=ConnectionTest.DISABLED_PortChild"});
    }
    // The child's answer to a command; 1000 when it gave none.
    int Ask(const QByteArray& command)
    {
        FProcess.write(command + "\n");
        for (;;) {
            while (!FProcess.canReadLine())
                if (!FProcess.waitForReadyRead(10000))
                    return 1000;
            const QByteArray line = FProcess.readLine().trimmed();
            if (line.startsWith("answer "))
                return line.mid(7).toInt();
        }
    }
    void Kill()
    {
        FProcess.kill();
        FProcess.waitForFinished(10000);
    }

private:
    QProcess FProcess;
};
} // namespace

// A register kept in a folder has one port: while one program is connected,
// another program's connect is refused until the first lets go, disconnects
// or is killed. Driver objects of one program share the port.
TEST_F(ConnectionTest, RegisterPortIsTakenByAnotherProgram)
{
    const QString folder = TestTempDir() + "/register";
    KeepRegisterIn(folder);
    TPortChild child(folder);
    ASSERT_EQ(child.Ask("connect"), 0);

    EXPECT_EQ(Driver().Connect(), OrvekResult::PortUnavailable);
    EXPECT_EQ(Driver().ResultCodeDescription(), QStringLiteral("Порт недоступен"));
    EXPECT_FALSE(Driver().Connected());
    ASSERT_EQ(child.Ask("disconnect"), 0);
    ASSERT_EQ(Driver().Connect(), 0);

    // Two driver objects of this program: the port is free only when both let go.
    TOrvek other;
    ASSERT_EQ(other.GetShortECRStatus(), 0);
    EXPECT_EQ(child.Ask("connect"), OrvekResult::PortUnavailable);
    ASSERT_EQ(Driver().Disconnect(), 0);
    EXPECT_EQ(child.Ask("connect"), OrvekResult::PortUnavailable);
    EXPECT_EQ(other.GetShortECRStatus(), 0);
    ASSERT_EQ(other.Disconnect(), 0);
    ASSERT_EQ(child.Ask("connect"), 0);

    // A killed program leaves the port free.
    EXPECT_EQ(Driver().GetShortECRStatus(), OrvekResult::PortUnavailable);
    EXPECT_EQ(Driver().ECRInput(), QString());   // nothing went out
    EXPECT_EQ(Driver().ECROutput(), QString());
    child.Kill();
    EXPECT_EQ(Driver().GetShortECRStatus(), 0);
    // A driver object that goes away lets go too.
    TPortChild next(folder);
    EXPECT_EQ(next.Ask("connect"), OrvekResult::PortUnavailable);
    FreeDriver();
    EXPECT_EQ(next.Ask("connect"), 0);
}
