// The emulated marking-code work: the FFD 1.05 product code, the FFD 1.2
// check with its settable outcome, accepting and declining, the tag TLV
// helper, and the FN's notification queue read block by block and confirmed.
#include "tests/DriverTestSupport.h"

#include "core/support/CodePage.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterFN.h"
#include "emulator/RegisterMarking.h"
#include "emulator/RegisterTags.h"

using M = OrvekMethod;

namespace {
const QString GS = QString(QChar(0x1D));
const QString G = QStringLiteral("04600000000012");
const QString Symmetric = "01" + G + "21" + "5Qbag!" + GS + "93" + "Zjqw";
const QString KM88 = "01" + G + "21" + "5Qbag!" + GS + "91" + "EE06" + GS + "92" + QString(88, 'S');
} // namespace

class MarkingTest : public DriverTest {
protected:
    RegisterMarking& Marking() { return TestRegister().Area<RegisterMarking>(); }
    std::int32_t CheckCode(const QString& code, int status = 1)
    {
        Driver().setBarCode(code);
        Driver().setItemStatus(status);
        Driver().setTLVDataHex(QString());
        return Driver().FNCheckItemBarcode();
    }
};

TEST_F(MarkingTest, CheckRecognisesTheCodeAndFollowsTheSetOutcome)
{
    ASSERT_EQ(CheckCode(KM88), 0);
    EXPECT_EQ(Driver().MarkingType(), 17485);
    EXPECT_EQ(Driver().MarkingTypeEx(), 0);
    EXPECT_EQ(Driver().MarkingType2(), 2);
    EXPECT_EQ(Driver().CheckItemLocalResult(), 3);
    EXPECT_EQ(Driver().CheckItemLocalError(), 0);
    EXPECT_EQ(Driver().KMServerErrorCode(), 0);
    EXPECT_EQ(Driver().KMServerCheckingStatus(), 15);
    EXPECT_EQ(Driver().TLVDataHex(), QStringLiteral("3A0801000F"));

    ASSERT_EQ(CheckCode(Symmetric), 0);
    EXPECT_EQ(Driver().MarkingTypeEx(), 1);
    EXPECT_EQ(Driver().MarkingType2(), 5);
    EXPECT_EQ(Driver().CheckItemLocalResult(), 0);
    EXPECT_EQ(Driver().CheckItemLocalError(), 3);

    Marking().Outcome.ServerErrorCode = 32;
    Marking().Outcome.ServerStatus = 4;
    Marking().Outcome.LocalResult = 1;
    ASSERT_EQ(CheckCode(KM88), 0);
    EXPECT_EQ(Driver().CheckItemLocalResult(), 1);
    EXPECT_EQ(Driver().KMServerErrorCode(), 32);
    EXPECT_EQ(Driver().KMServerCheckingStatus(), 4);
    EXPECT_EQ(Driver().TLVDataHex(), QString());

    Marking().Outcome = {};
    Marking().Outcome.ServerErrorCode = -1;
    ASSERT_EQ(CheckCode(KM88), 0);
    EXPECT_EQ(Driver().KMServerErrorCode(), -1);
    EXPECT_EQ(Driver().KMServerCheckingStatus(), 3 | 16);

    // Bad input: no code, a status out of range, a measured item without its tags.
    EXPECT_EQ(CheckCode(QString()), FNError::BadParameter);
    EXPECT_EQ(CheckCode(KM88, 7), FNError::BadParameter);
    EXPECT_EQ(CheckCode(KM88, 2), FNError::BadParameter);
    Marking().Blocked = true;
    EXPECT_EQ(CheckCode(KM88), FNError::OtherState);
}

TEST_F(MarkingTest, AcceptDeclineAndClearWorkOnTheCheckedCode)
{
    EXPECT_EQ(Driver().FNDeclineMarkingCode(), FNError::OtherState);
    EXPECT_EQ(Driver().FNAcceptMakringCode(), FNError::OtherState);
    ASSERT_EQ(CheckCode(KM88), 0);
    ASSERT_EQ(Driver().FNGetMarkingCodeWorkStatus(), 0);
    EXPECT_EQ(Driver().MCCheckStatus(), 4);
    ASSERT_EQ(Driver().FNAcceptMakringCode(), 0);
    EXPECT_EQ(Driver().KMServerCheckingStatus(), 15);
    EXPECT_EQ(Driver().FNDeclineMarkingCode(), FNError::OtherState);
    ASSERT_EQ(CheckCode(Symmetric), 0);
    ASSERT_EQ(Driver().FNDeclineMarkingCode(), 0);
    ASSERT_EQ(Driver().FNGetMarkingCodeWorkStatus(), 0);
    EXPECT_EQ(Driver().MCCheckStatus(), 1);
    EXPECT_EQ(Driver().MCCheckResultSavedCount(), 1);
    EXPECT_EQ(Driver().MCNotificationStatus(), 1);
    ASSERT_EQ(Driver().FNMarkingClearBuffer(), 0);
    ASSERT_EQ(Driver().FNGetMarkingCodeWorkStatus(), 0);
    EXPECT_EQ(Driver().MCCheckResultSavedCount(), 0);

    // Faults on demand reach every method.
    TestRegister().Faults().FailNext(M::FNAcceptMakringCode, 50);
    ASSERT_EQ(CheckCode(KM88), 0);
    EXPECT_EQ(Driver().FNAcceptMakringCode(), 50);
    EXPECT_EQ(Driver().FNAcceptMakringCode(), 0);
}

TEST_F(MarkingTest, ProductCodeOfFFD105GoesToTheItemAsTag1162)
{
    Driver().setMarkingType(17485);
    Driver().setSerialNumber(QStringLiteral("SER123"));
    Driver().setGTIN(G);
    ASSERT_EQ(Driver().FNSendItemCodeData(), 0);
    const FNTag& tag = TestRegister().Area<RegisterTags>().Sent.back();
    EXPECT_EQ(tag.Number, 1162);
    EXPECT_EQ(tag.Value, QByteArray("\x44\x4D") + G.toLatin1() + "SER123");

    Driver().setMarkingType(17677);
    Driver().setBarcodeHex(QStringLiteral("34 36 30 30 30 30 30 30 30 30 30 31 37"));
    ASSERT_EQ(Driver().FNSendItemCodeData(), 0);
    EXPECT_EQ(TestRegister().Area<RegisterTags>().Sent.back().Value, QByteArray("\x45\x0D") + "4600000000017");

    Driver().setBarCode(QStringLiteral("46000000001A"));
    EXPECT_EQ(Driver().FNSendItemCodeData(), OrvekResult::BadParameter);
    Driver().setMarkingType(12345);
    EXPECT_EQ(Driver().FNSendItemCodeData(), OrvekResult::BadParameter);
}

TEST_F(MarkingTest, GetTagAsTLVGivesATagOrTheOpenComposite)
{
    Driver().setTagNumber(2108);
    Driver().setTagType(0);
    Driver().setTagValueInt(11);
    ASSERT_EQ(Driver().GetTagAsTLV(), 0);
    EXPECT_EQ(Driver().TLVDataHex(), QStringLiteral("3C0801000B"));

    Driver().setTagNumber(1291);
    Driver().setTagType(8);
    ASSERT_EQ(Driver().FNBeginSTLVTag(), 0);
    Driver().setTagNumber(1293);
    Driver().setTagType(3);
    Driver().setTagValueVLN(QStringLiteral("1"));
    ASSERT_EQ(Driver().FNAddTag(), 0);
    Driver().setTagNumber(1291);
    Driver().setTagType(8);
    ASSERT_EQ(Driver().GetTagAsTLV(), 0);
    EXPECT_EQ(Driver().TLVDataHex(), QStringLiteral("0B050500") + QStringLiteral("0D05010001"));
}

TEST_F(MarkingTest, NotificationsAreQueuedReadInBlocksAndConfirmed)
{
    // A receipt closed with an accepted code queues a notification.
    ASSERT_EQ(CheckCode(KM88), 0);
    ASSERT_EQ(Driver().FNAcceptMakringCode(), 0);
    Driver().setPrice(10000);
    Driver().setQuantity(1);
    Driver().setStringForPrinting(QStringLiteral("Товар"));
    ASSERT_EQ(Driver().Sale(), 0);
    Driver().setSumm1(10000);
    ASSERT_EQ(Driver().CloseCheck(), 0) << Driver().ResultCodeDescription().toStdString();
    ASSERT_EQ(Marking().Queue.size(), 1u);
    const MarkingNotification first = Marking().Queue.front();
    EXPECT_TRUE(first.Data.contains(KM88.toLatin1()));
    EXPECT_EQ(Marking().Accepted.size(), 0u);
    EXPECT_EQ(TestRegister().Area<RegisterFN>().NotificationSize, first.Data.size());

    Marking().NextNumber = 7;
    const MarkingNotification seventh = Marking().QueueNotification(QByteArray::fromHex("0102000003040506"));
    EXPECT_EQ(seventh.Data, QByteArray::fromHex("01021CD703040506"));

    ASSERT_EQ(Driver().FNGetKMServerExchangeStatus(), 0);
    EXPECT_EQ(Driver().MessageCount(), 2);
    EXPECT_EQ(Driver().MessageNumber(), first.Number);
    EXPECT_NE(Driver().Date(), 0);

    EXPECT_EQ(Driver().FNReadNotificationBlock(), FNError::OtherState);
    ASSERT_EQ(Driver().FNBeginReadNotifications(), 0);
    EXPECT_EQ(Driver().NotificationCount(), 2);
    Marking().BlockSize = 5;
    QByteArray read;
    int blocks = 0;
    while (Driver().FNReadNotificationBlock() == 0 && blocks < 1000) {
        const int start = Driver().NotificationNumber() == 7 ? int(first.Data.size()) : 0;
        EXPECT_EQ(Driver().DataOffset(), read.size() - start);
        read += WideToAnsi(Driver().DataBlock());
        ++blocks;
    }
    EXPECT_EQ(Driver().ResultCode(), FNError::NoData);
    EXPECT_EQ(read, first.Data + seventh.Data);

    Driver().setNotificationNumber(7);
    Driver().setCheckSum(0xD71C + 1);
    EXPECT_EQ(Driver().FNConfirmNotificationRead(), FNError::BadParameter);
    Driver().setCheckSum(0xD71C);
    ASSERT_EQ(Driver().FNConfirmNotificationRead(), 0);
    EXPECT_EQ(Driver().FNConfirmNotificationRead(), FNError::NoData);
    ASSERT_EQ(Marking().Queue.size(), 1u);

    ASSERT_TRUE(Marking().SpoilCRC(first.Number));
    EXPECT_NE(Marking().Queue.front().Data.mid(2, 2), first.Data.mid(2, 2));
    EXPECT_FALSE(Marking().SpoilCRC(99));
}
