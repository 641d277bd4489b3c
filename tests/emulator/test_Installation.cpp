// What the emulated driver reports about its installation, and the
// datagrams its bench's TCP registers announce themselves with.
#include "emulator/OrvekDiscovery.h"
#include "emulator/OrvekInstallation.h"
#include "platform/Exceptions.h"
#include "tests/DriverTestSupport.h"

class InstallationTest : public DriverTest {
protected:
    void TearDown() override
    {
        SetOrvekInstallation(FSaved);
        qunsetenv("ORVEK_DRIVER_VERSION");
        qunsetenv("ORVEK_DRIVER_MISSING");
        DriverTest::TearDown();
    }
    OrvekInstallation FSaved = CurrentOrvekInstallation();
};

TEST_F(InstallationTest, VersionAndMissingDriverFromTheEnvironment)
{
    qputenv("ORVEK_DRIVER_VERSION", "4.13.0.593");
    SetOrvekInstallation(OrvekInstallationFromEnvironment());
    TOrvek driver;
    EXPECT_EQ(driver.DriverMajorVersion(), 4);
    EXPECT_EQ(driver.DriverMinorVersion(), 13);
    EXPECT_EQ(driver.DriverRelease(), 0);
    EXPECT_EQ(driver.DriverBuild(), 593);
    EXPECT_EQ(driver.DriverVersion(), "4.13.0.593");

    // A malformed version leaves the default.
    qputenv("ORVEK_DRIVER_VERSION", "4.13.x");
    EXPECT_EQ(OrvekInstallationFromEnvironment().VersionText(), OrvekInstallation{}.VersionText());

    qputenv("ORVEK_DRIVER_MISSING", "1");
    SetOrvekInstallation(OrvekInstallationFromEnvironment());
    EXPECT_THROW(TOrvek{}, EOleError);
}

TEST_F(InstallationTest, DiscoveryDatagramOfATcpRegister)
{
    EXPECT_EQ(OrvekDiscoveryDatagram(TestRegister()), "SN:0000000000012345; IP:127.0.0.1; port:7778");
    RegisterConfig serialOnly;
    serialOnly.Host.clear();
    EXPECT_TRUE(OrvekDiscoveryDatagram(*Bench().Add(serialOnly)).isEmpty());
}
