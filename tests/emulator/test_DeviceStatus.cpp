// The state reset, error descriptions, keyed faults and
// the status profile of the bench file.
#include "emulator/OrvekResultCodes.h"
#include "platform/Exceptions.h"
#include "emulator/RegisterFN.h"
#include "emulator/RegisterReceipt.h"
#include "tests/DriverTestSupport.h"
#include "tests/TestSupport.h"

#include <QDir>
#include <QFile>

using M = OrvekMethod;
using P = OrvekProp;

namespace {
constexpr Currency Rub = 10000;

void Sell(int department)
{
    TDriver& d = Driver();
    d.setPrice(10 * Rub);
    d.setQuantity(1);
    d.setDepartment(department);
    ASSERT_EQ(d.Sale(), 0);
}
} // namespace

class DeviceStatusEmulatorTest : public DriverTest {};

TEST_F(DeviceStatusEmulatorTest, ResetEndsOpenReceiptAndWaitingPrint)
{
    RegisterReceipt& receipt = TestRegister().Area<RegisterReceipt>();
    Sell(1);
    receipt.PaperLeft = 0;  // the rest of the receipt waits for paper
    Driver().setSumm1(10 * Rub);
    Driver().CloseCheck();
    ASSERT_FALSE(receipt.WaitingLines().isEmpty());
    ASSERT_EQ(Driver().ResetECR(), 0);
    EXPECT_TRUE(receipt.WaitingLines().isEmpty());
    EXPECT_EQ(TestRegister().State().AdvancedMode, 0);

    TestRegister().SetFlag(EcrFlag::ReceiptRibbonIsPresent, true);  // paper in again
    receipt.PaperLeft = -1;
    Sell(1);
    ASSERT_EQ(Driver().ResetECR(), 0);
    EXPECT_FALSE(receipt.IsOpen());
    EXPECT_EQ(TestRegister().Area<RegisterFN>().CurrentDocument, FNOpenDoc::None);
}

TEST_F(DeviceStatusEmulatorTest, ErrorDescriptionsUpToTheLastCode)
{
    TestRegister().State().LastErrorCode = 3;
    Driver().setErrorCode(3);
    EXPECT_EQ(Driver().ReadErrorDescription(), 0);
    EXPECT_FALSE(Driver().ErrorDescription().isEmpty());
    Driver().setErrorCode(4);
    EXPECT_EQ(Driver().ReadErrorDescription(), OrvekResult::BadParameter);
}

TEST_F(DeviceStatusEmulatorTest, FaultsKeyedToANumber)
{
    RegisterFaults& faults = TestRegister().Faults();
    EXPECT_EQ(faults.AddFromText(QStringLiteral("GetTableStruct 75 TableNumber=3 x2")), QString());
    EXPECT_FALSE(faults.AddFromText(QStringLiteral("GetTableStruct 75 NoSuchProperty=3")).isEmpty());
    EXPECT_FALSE(faults.AddFromText(QStringLiteral("* 75 TableNumber=3")).isEmpty());
    TDriver& d = Driver();
    for (int table : {1, 3, 2, 3, 3}) {
        d.setTableNumber(table);
        d.GetTableStruct();
    }
    std::vector<int> codes;
    faults.FailWhen(M::GetCashReg, P::RegisterNumber, 7, 80);
    for (int n : {6, 7, 7}) {
        d.setRegisterNumber(n);
        codes.push_back(d.GetCashReg());
    }
    EXPECT_EQ(codes, (std::vector<int>{0, 80, 0}));
    d.setTableNumber(3);
    EXPECT_EQ(d.GetTableStruct(), 0);  // both keyed faults used up
    EXPECT_TRUE(faults.Empty());
}

TEST_F(DeviceStatusEmulatorTest, StatusProfileFromTheBenchFile)
{
    const QString name = QDir(TestTempDir()).filePath(QStringLiteral("bench.txt"));
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[register]\nmodel = 254\nparam.71 = false\nparam.57 = true\nerrors = 120\nskno = 65\n"
               "interface = 1\nfmflags = 3\nfmflagsex = 9\nlastprint = 2\nkeys = 0 13\n"
               "fault = GetCashReg 80 RegisterNumber=5\n");
    file.close();
    FreeDriver();
    Bench().Load(name);
    TDriver& d = Driver();
    ASSERT_EQ(d.GetECRStatus(), 0);
    EXPECT_EQ(d.PortNumber(), 1);
    EXPECT_EQ(d.SKNOStatus(), 65);
    EXPECT_EQ(d.FMFlags(), 3);
    EXPECT_TRUE(d.IsBlockedByWrongTaxPassword());
    EXPECT_FALSE(d.CapFN());
    EXPECT_TRUE(d.CapSKNO());
    EXPECT_EQ(d.GetModelID(), 254);
    ASSERT_EQ(d.GetShortECRStatus(), 0);
    EXPECT_EQ(d.LastPrintResult(), 2);
    EXPECT_EQ(d.UpdateKeysResultCode(), 0);
    EXPECT_EQ(d.UpdateKeysStatus(), 13);
    EXPECT_EQ(TestRegister().State().LastErrorCode, 120);
    d.setRegisterNumber(5);
    EXPECT_EQ(d.GetCashReg(), 80);

    QFile bad(name);
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("[register]\nkeys = 0\n");
    bad.close();
    EXPECT_THROW(Bench().Load(name), Exception);
}
