// The emulated register's firmware images and update, its SD card, its
// legacy fiscal memory and tax inspector's password.
#include "emulator/FirmwareImage.h"
#include "emulator/RegisterFirmware.h"
#include "emulator/RegisterFiscalMemory.h"
#include "tests/DriverTestSupport.h"
#include "tests/TestSupport.h"

#include "core/support/CodePage.h"

#include <QFile>

using M = OrvekMethod;

namespace {
FirmwareImage SampleImage()
{
    return {17, QStringLiteral("D.4"), 1234, QDate(2025, 6, 30), QByteArray("program bytes")};
}

class FirmwareTest : public DriverTest {
protected:
    void SetUp() override
    {
        DriverTest::SetUp();
        Driver().setPassword(30);
    }
    static std::int32_t Block(int type, int number, const QByteArray& data)
    {
        Driver().setFileType(type);
        Driver().setBlockNumber(number);
        Driver().setBlockData(AnsiToWide(data));
        return Driver().LoadBlockOnSDCard();
    }
    static const RegisterFirmware::SDFile& Card(int type)
    {
        return TestRegister().Area<RegisterFirmware>().File(type);
    }
};
} // namespace

TEST(FirmwareImageTest, BuildsAndReadsBackAndRefusesDamagedHeaders)
{
    const QByteArray good = BuildFirmwareImage(SampleImage());
    FirmwareImage image;
    QString error;
    ASSERT_TRUE(ReadFirmwareImage(good, image, error)) << error.toStdString();
    EXPECT_EQ(image.ModelId, 17);
    EXPECT_EQ(image.Version, QStringLiteral("D.4"));
    EXPECT_EQ(image.Build, 1234);
    EXPECT_EQ(image.Date, QDate(2025, 6, 30));
    EXPECT_EQ(image.Program, QByteArray("program bytes"));
    EXPECT_TRUE(image.ChecksumMatches());

    auto changed = [&good](int at, char c) {
        QByteArray bytes = good;
        bytes[at] = c;
        return bytes;
    };
    const std::pair<const char*, QByteArray> bad[] = {
        {"empty", QByteArray()},
        {"header cut", good.left(25)},
        {"magic", changed(0, 'X')},
        {"format", changed(4, 2)},
        {"version text", changed(8, '\x01')},
        {"date", changed(18, 13)},
        {"program cut", good.chopped(1)},
        {"program longer", good + 'x'},
    };
    for (const auto& [name, bytes] : bad) {
        EXPECT_FALSE(ReadFirmwareImage(bytes, image, error)) << name;
        EXPECT_FALSE(error.isEmpty()) << name;
    }
    // A changed program byte reads, but its checksum does not match.
    ASSERT_TRUE(ReadFirmwareImage(changed(good.size() - 1, 'X'), image, error));
    EXPECT_FALSE(image.ChecksumMatches());
}

TEST_F(FirmwareTest, SDCardKeepsEachFilesBlocksInOrder)
{
    EXPECT_EQ(Block(0, 0, "abc"), OrvekResult::WrongMode);  // no card in
    TestRegister().Tables().SetValue(15, 1, 1, 1);
    const QByteArray full(128, 'a');
    ASSERT_EQ(Block(0, 0, full), 0);
    ASSERT_EQ(Block(1, 0, "firmware"), 0);
    ASSERT_EQ(Block(0, 1, full), 0);
    EXPECT_EQ(Block(0, 3, full), OrvekResult::BadParameter);   // a gap
    EXPECT_EQ(Block(0, 1, full), OrvekResult::BadParameter);   // a repeat
    EXPECT_EQ(Driver().ResultCodeDescription(), QStringLiteral("Неверный номер блока: 1, ожидается 2"));
    EXPECT_EQ(Block(0, 2, QByteArray(129, 'b')), OrvekResult::BadParameter);
    EXPECT_EQ(Block(2, 0, "x"), OrvekResult::BadParameter);
    ASSERT_EQ(Block(0, 2, QByteArray("\x98\xFF\x00z", 4)), 0);
    ASSERT_EQ(Block(0, 3, QByteArray()), 0);
    EXPECT_EQ(Block(0, 4, "late"), OrvekResult::BadParameter);  // the file has ended
    EXPECT_EQ(Card(0).Data, full + full + QByteArray("\x98\xFF\x00z", 4));
    EXPECT_TRUE(Card(0).Complete);
    EXPECT_EQ(Card(1).Data, QByteArray("firmware"));
    EXPECT_FALSE(Card(1).Complete);
    // Block 0 starts the file again.
    ASSERT_EQ(Block(0, 0, "new"), 0);
    EXPECT_EQ(Card(0).Data, QByteArray("new"));
}

TEST_F(FirmwareTest, UpdateRunsOnTheRegistersClockWhateverTheDriverObjectAsks)
{
    TestRegister().State().Interface = 0;
    Driver().setFileName(WriteTestFile(QStringLiteral("fw.bin"), BuildFirmwareImage(SampleImage())));
    Driver().setUpdateFirmwareMethod(RegisterFirmware::XMODEM);
    ASSERT_EQ(Driver().UpdateFirmware(), 0);
    EXPECT_EQ(Driver().UpdateFirmware(), OrvekResult::WrongMode);  // one at a time
    EXPECT_EQ(Driver().UpdateFirmwareStatus(), 1);
    // Other calls go on meanwhile; the end shows without a poll of its own.
    TestRegister().SetNow(TestRegister().Now().addMSecs(
        RegisterFirmware::TransferMs(RegisterFirmware::XMODEM, SampleImage().Program.size())));
    ASSERT_EQ(Driver().GetECRStatus(), 0);
    EXPECT_EQ(Driver().ECRSoftVersion(), QStringLiteral("D.4"));
    EXPECT_EQ(Driver().ECRBuild(), 1234);
    EXPECT_EQ(Driver().UpdateFirmwareStatus(), 2);
    EXPECT_EQ(Driver().CancelFirmwareUpdate(), OrvekResult::WrongMode);
}

TEST_F(FirmwareTest, TaxPasswordLocksOnlyModelsWithTheLock)
{
    RegisterFiscalMemory& fm = TestRegister().Area<RegisterFiscalMemory>();
    for (bool lock : {false, true}) {
        SCOPED_TRACE(lock);
        TestRegister().ModelParams().Set(40, lock);
        Driver().setPassword(7);
        EXPECT_EQ(Driver().PrintOperationalTaxReport(), OrvekResult::BadPassword);
        ASSERT_EQ(Driver().GetECRStatus(), 0);
        EXPECT_EQ(Driver().IsBlockedByWrongTaxPassword(), lock);
        EXPECT_EQ(fm.Locked(), lock);
        Driver().setPassword(0);
        EXPECT_EQ(Driver().PrintOperationalTaxReport(), 0);
        EXPECT_FALSE(fm.Locked());
        EXPECT_EQ(Driver().EnteredTaxPassword(), 0);
    }
}

TEST_F(FirmwareTest, FiscalisationsRunOutAndNeedAClosedSession)
{
    Driver().setPassword(0);
    Driver().setRNM(QStringLiteral("1"));
    Driver().setINN(QStringLiteral("7701234567"));
    Driver().setNewPasswordTI(0);
    TestRegister().State().Mode = 2;
    TestRegister().State().SessionOpen = true;
    EXPECT_EQ(Driver().Fiscalization(), OrvekResult::WrongMode);
    TestRegister().State().Mode = 4;
    TestRegister().State().SessionOpen = false;
    Driver().setINN(QStringLiteral("77a"));
    EXPECT_EQ(Driver().Fiscalization(), OrvekResult::BadParameter);
    Driver().setINN(QStringLiteral("7701234567"));
    for (int n = 1; n <= RegisterFiscalMemory::Capacity; ++n) {
        ASSERT_EQ(Driver().Fiscalization(), 0);
        EXPECT_EQ(Driver().FreeRegistration(), RegisterFiscalMemory::Capacity - n);
    }
    EXPECT_EQ(Driver().Fiscalization(), OrvekResult::WrongMode);
    Driver().setPassword(30);
    ASSERT_EQ(Driver().GetECRStatus(), 0);
    EXPECT_EQ(Driver().RegistrationNumber(), RegisterFiscalMemory::Capacity);
    EXPECT_EQ(Driver().FreeRegistration(), 0);
}

TEST_F(FirmwareTest, BenchFileSetsTheFNVersion)
{
    Bench().Load(WriteTestFile(QStringLiteral("bench.txt"), "[register]\nfnversion = fn 1.1\nfirmware = D.3\n"));
    ASSERT_EQ(Driver().FNGetVersion(), 0);
    EXPECT_EQ(Driver().FNSoftVersion(), QStringLiteral("fn 1.1"));
    ASSERT_EQ(Driver().GetECRStatus(), 0);
    EXPECT_EQ(Driver().ECRSoftVersion(), QStringLiteral("D.3"));
}

TEST_F(FirmwareTest, ImageLargerThanTheFlashIsRefusedUnread)
{
    TestRegister().State().Interface = 2;
    const QString name = WriteTestFile(QStringLiteral("huge.bin"), BuildFirmwareImage(SampleImage()));
    ASSERT_TRUE(QFile::resize(name, 16 * 1024 * 1024 + 1));
    Driver().setFileName(name);
    Driver().setUpdateFirmwareMethod(RegisterFirmware::DFU);
    EXPECT_EQ(Driver().UpdateFirmware(), OrvekResult::BadParameter);
    EXPECT_EQ(Driver().UpdateFirmwareStatus(), 3);
    EXPECT_EQ(Driver().UpdateFirmwareStatusMessage(), QStringLiteral("Файл прошивки больше 16777216 байт"));
}
