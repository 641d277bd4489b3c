// The cash drawers and the Vintrel payment service of the emulated driver.
#include "tests/DriverTestSupport.h"

#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterVintrel.h"

using M = OrvekMethod;

namespace {
class VintrelServiceTest : public DriverTest {
protected:
    RegisterVintrel& Service() { return TestRegister().Area<RegisterVintrel>(); }
    // A payment of the amount, made through the driver.
    QString Create(Currency amount)
    {
        Driver().setSumm1(amount);
        EXPECT_EQ(Driver().VintrelCreatePayData(), 0);
        return Driver().VintrelServerPaymentID();
    }
};
} // namespace

TEST_F(VintrelServiceTest, DrawerOpensWhenItExistsAndStaysOpenInTheStatus)
{
    Driver().setDrawerNumber(1);
    EXPECT_EQ(Driver().OpenDrawer(), 0);
    Driver().GetECRStatus();
    EXPECT_TRUE(Driver().IsDrawerOpen());
    Driver().GetECRStatus();
    EXPECT_TRUE(Driver().IsDrawerOpen());
    TestRegister().SetFlag(EcrFlag::IsDrawerOpen, false);
    Driver().setDrawerNumber(2);
    EXPECT_EQ(Driver().OpenDrawer(), OrvekResult::BadParameter);
    Driver().GetECRStatus();
    EXPECT_FALSE(Driver().IsDrawerOpen());
    TestRegister().Faults().FailNext(M::OpenDrawer, 80);
    Driver().setDrawerNumber(0);
    EXPECT_EQ(Driver().OpenDrawer(), 80);
}

TEST_F(VintrelServiceTest, PaymentLivesFromCreateToFullRefund)
{
    const QString id = Create(105000);
    ASSERT_FALSE(id.isEmpty());
    EXPECT_FALSE(Driver().VintrelClientPaymentID().isEmpty());
    EXPECT_EQ(Driver().BarCode(), QStringLiteral("https://qr.vintrel.example/pay/") + id);
    EXPECT_EQ(Driver().VintrelPayStatus(), VintrelStatus::Created);
    EXPECT_TRUE(Driver().VintrelProcessingResponse().contains(id));

    Driver().setSumm1(10000);
    EXPECT_NE(Driver().VintrelRefund(), 0);  // not paid yet
    ASSERT_TRUE(Service().SetStatus(id, VintrelStatus::Paid));
    EXPECT_EQ(Driver().VintrelGetPayStatus(), 0);
    EXPECT_EQ(Driver().VintrelPayStatus(), VintrelStatus::Paid);
    EXPECT_TRUE(Driver().VintrelIsStatusFinal());
    EXPECT_NE(Driver().VintrelCancel(), 0);  // paid: only a refund

    EXPECT_EQ(Driver().VintrelRefund(), 0);
    EXPECT_EQ(Driver().VintrelPayStatus(), VintrelStatus::PartlyRefunded);
    Driver().setSumm1(95001);
    EXPECT_NE(Driver().VintrelRefund(), 0);  // more than is left
    EXPECT_TRUE(Driver().ResultCodeDescription().contains(QStringLiteral("остатка")));
    Driver().setSumm1(95000);
    EXPECT_EQ(Driver().VintrelRefund(), 0);
    EXPECT_EQ(Driver().VintrelPayStatus(), VintrelStatus::Refunded);

    Driver().setVintrelServerPaymentID(QStringLiteral("VT-unknown"));
    EXPECT_NE(Driver().VintrelRefund(), 0);
    EXPECT_NE(Driver().VintrelGetPayStatus(), 0);
}

TEST_F(VintrelServiceTest, CancelAndFailures)
{
    Driver().setSumm1(0);
    EXPECT_NE(Driver().VintrelCreatePayData(), 0);
    const QString id = Create(10000);
    EXPECT_EQ(Driver().VintrelCancel(), 0);
    EXPECT_EQ(Driver().VintrelPayStatus(), VintrelStatus::Cancelled);
    EXPECT_TRUE(Driver().VintrelIsStatusFinal());
    for (M method : {M::VintrelCreatePayData, M::VintrelCreatePayDataByCode, M::VintrelGetPayStatus, M::VintrelCancel,
                     M::VintrelRefund, M::VintrelCreateCashRegisterCode}) {
        TestRegister().Faults().FailNext(method, 50);
        EXPECT_EQ(Driver().Invoke(method), 50);
    }
}

TEST_F(VintrelServiceTest, CashRegisterLinkTakesPaymentsAndOutlivesTheDriverObject)
{
    Driver().setVintrelCashRegisterCode(QStringLiteral("https://qr.vintrel.example/cr/none"));
    Driver().setSumm1(10000);
    EXPECT_NE(Driver().VintrelCreatePayDataByCode(), 0);

    EXPECT_EQ(Driver().VintrelCreateCashRegisterCode(), 0);
    const QString link = Driver().VintrelCashRegisterCode();
    EXPECT_TRUE(link.startsWith(QStringLiteral("https://qr.vintrel.example/cr/")));
    EXPECT_EQ(Driver().VintrelCreatePayDataByCode(), 0);
    ASSERT_NE(Service().Find(Driver().VintrelServerPaymentID()), nullptr);
    EXPECT_EQ(Service().Find(Driver().VintrelServerPaymentID())->Link, link);

    EXPECT_EQ(Driver().SaveParams(), 0);
    FreeDriver();
    EXPECT_EQ(Driver().VintrelCashRegisterCode(), link);
}
