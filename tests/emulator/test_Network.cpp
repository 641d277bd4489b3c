// The register's own network link: tables 16, 21 and 22, the scripted DHCP
// state, and other driver objects reaching the register at its link address.
#include "tests/DriverTestSupport.h"

#include "core/binding/LumaqLib_TLB.h"
#include "emulator/OrvekBench.h"
#include "emulator/OrvekResultCodes.h"
#include "platform/Exceptions.h"
#include "emulator/RegisterNetwork.h"

#include <QElapsedTimer>
#include <QThread>
#include <atomic>
#include <thread>

class NetworkTest : public DriverTest {
protected:
    static int ReadField(TOrvek& d, int table, int field)
    {
        d.setTableNumber(table);
        d.setRowNumber(1);
        d.setFieldNumber(field);
        EXPECT_EQ(d.ReadTable(), 0);
        return d.ValueOfFieldInteger();
    }
    // A driver object of its own on the register's link.
    static std::int32_t LinkStatus(TOrvek& link, const QString& host, int port)
    {
        link.setConnectionType(6);
        link.setUseIPAddress(false);
        link.setComputerName(host);
        link.setTCPPort(port);
        return link.GetECRStatus();
    }
    RegisterNetwork& Net() { return TestRegister().Area<RegisterNetwork>(); }
};

TEST_F(NetworkTest, FieldsAndTypes)
{
    struct Case {
        int Table, Field;
        bool IsString;
        int Size;
    };
    for (const Case& c : {Case{16, 1, false, 1}, Case{16, 2, false, 1}, Case{16, 3, false, 1}, Case{16, 18, false, 1},
                          Case{21, 3, false, 1}, Case{21, 4, false, 2}, Case{21, 6, false, 1}, Case{21, 7, true, 32},
                          Case{21, 8, true, 64}, Case{21, 9, false, 1}, Case{22, 1, false, 1}, Case{22, 2, true, 15},
                          Case{22, 5, true, 15}}) {
        SCOPED_TRACE(c.Table * 100 + c.Field);
        Driver().setTableNumber(c.Table);
        Driver().setFieldNumber(c.Field);
        ASSERT_EQ(Driver().GetFieldStruct(), 0);
        EXPECT_EQ(Driver().FieldType(), c.IsString);
        EXPECT_EQ(Driver().FieldSize(), c.Size);
    }
    // A port above 65535 does not fit.
    Driver().setTableNumber(21);
    Driver().setRowNumber(1);
    Driver().setFieldNumber(4);
    Driver().setValueOfFieldInteger(70000);
    EXPECT_EQ(Driver().WriteTable(), OrvekResult::BadParameter);
}

TEST_F(NetworkTest, DHCPStateFollowsItsScript)
{
    EXPECT_EQ(ReadField(Driver(), 16, 2), RegisterNetwork::DHCPObtained);
    Net().SetDHCP({DHCPScript::Never, 0, 3});
    EXPECT_EQ(ReadField(Driver(), 16, 2), 3);
    Net().SetDHCP({DHCPScript::AfterDelay, 200});
    EXPECT_EQ(ReadField(Driver(), 16, 2), 1);
    QElapsedTimer wait;
    wait.start();
    int state = 1;
    while (state != RegisterNetwork::DHCPObtained && wait.elapsed() < 5000) {
        QThread::yieldCurrentThread();
        state = ReadField(Driver(), 16, 2);
    }
    EXPECT_EQ(state, RegisterNetwork::DHCPObtained);
    EXPECT_GE(wait.elapsed(), 150);
}

TEST_F(NetworkTest, AnotherDriverObjectReachesTheRegisterAtItsLinkAddressOnly)
{
    RegisterTables& t = TestRegister().Tables();
    t.SetValue(16, 1, 1, 1);
    TOrvek link;
    EXPECT_EQ(LinkStatus(link, "192.168.137.111", 7778), 0);
    EXPECT_EQ(EmulatedComponentOf(link)->ConnectedRegister().get(), &TestRegister());
    EXPECT_EQ(LinkStatus(link, "192.168.137.111", 7779), OrvekResult::NoLink);
    EXPECT_EQ(LinkStatus(link, "192.168.137.112", 7778), OrvekResult::NoLink);

    // The wizard's object moves the register to another address.
    const int octets[] = {10, 0, 0, 7};
    for (int i = 0; i < 4; ++i) {
        Driver().setTableNumber(16);
        Driver().setRowNumber(1);
        Driver().setFieldNumber(3 + i);
        Driver().setValueOfFieldInteger(octets[i]);
        ASSERT_EQ(Driver().WriteTable(), 0);
    }
    EXPECT_EQ(LinkStatus(link, "10.0.0.7", 7778), 0);
    EXPECT_EQ(LinkStatus(link, "192.168.137.111", 7778), OrvekResult::NoLink);

    // By DHCP the register has an address only once it obtained one.
    t.SetValue(16, 1, 1, 0);
    Net().SetDHCP({DHCPScript::Never});
    EXPECT_EQ(LinkStatus(link, "10.0.0.7", 7778), OrvekResult::NoLink);
    Net().SetDHCP({DHCPScript::Ready});
    EXPECT_EQ(LinkStatus(link, "10.0.0.7", 7778), 0);
    // The bench's own address still answers.
    EXPECT_EQ(LinkStatus(link, "127.0.0.1", 7778), 0);
}

TEST_F(NetworkTest, WorkerReadsWhileAnotherObjectConnects)
{
    Net().SetDHCP({DHCPScript::AfterDelay, 20});
    Driver().Connect();
    std::atomic<int> bad = 0;
    std::thread worker([&] {
        for (int i = 0; i < 300; ++i) {
            Driver().setTableNumber(16);
            Driver().setRowNumber(1);
            Driver().setFieldNumber(2);
            if (Driver().ReadTable() != 0)
                ++bad;
        }
    });
    for (int i = 0; i < 100; ++i) {
        TOrvek link;
        const std::int32_t code = LinkStatus(link, "192.168.137.111", 7778);
        if (code != 0 && code != OrvekResult::NoLink)
            ++bad;
    }
    worker.join();
    EXPECT_EQ(bad, 0);
}

TEST_F(NetworkTest, BenchFileScriptsTheDHCPAddress)
{
    struct Case {
        QByteArray Value;
        DHCPScript::Kind When;
        int DelayMs;
    };
    for (const Case& c : {Case{"0", DHCPScript::Ready, 0}, Case{"1500", DHCPScript::AfterDelay, 1500},
                          Case{"never", DHCPScript::Never, 0}}) {
        const auto configs = OrvekBench::Parse("[register]\ndhcp = " + c.Value + "\n", "bench.txt");
        ASSERT_EQ(configs.size(), 1u);
        EmulatedRegister reg(configs[0]);
        EXPECT_EQ(reg.Area<RegisterNetwork>().DHCP().When, c.When) << c.Value.constData();
        EXPECT_EQ(reg.Area<RegisterNetwork>().DHCP().DelayMs, c.DelayMs);
    }
    for (const QByteArray& bad : {QByteArray("soon"), QByteArray("-1")})
        EXPECT_THROW(OrvekBench::Parse("[register]\ndhcp = " + bad + "\n", "bench.txt"), Exception);
}
