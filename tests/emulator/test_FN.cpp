// The emulated fiscal accumulator: life state, documents, sessions, the
// calculation-state report, the fiscal-mode close, the reset and the key updates.
#include "tests/DriverTestSupport.h"

#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterFN.h"

using M = OrvekMethod;

class FNTest : public DriverTest {
protected:
    RegisterFN& FN() { return TestRegister().Area<RegisterFN>(); }
};

TEST_F(FNTest, StartsFiscalisedWithItsRegistrationReport)
{
    ASSERT_EQ(Driver().FNGetStatus(), 0);
    EXPECT_EQ(Driver().FNLifeState(), 3);
    EXPECT_EQ(Driver().FNCurrentDocument(), 0);
    EXPECT_EQ(Driver().FNSessionState(), 0);
    EXPECT_EQ(Driver().DocumentNumber(), 1);
    EXPECT_EQ(Driver().SerialNumber(), FN().Serial);

    Driver().setDocumentNumber(1);
    ASSERT_EQ(Driver().FNFindDocument(), 0);
    EXPECT_EQ(Driver().DocumentType(), 1);
    EXPECT_TRUE(Driver().OFDTicketReceived());
    EXPECT_EQ(Driver().INN(), QStringLiteral("0123456788"));
    EXPECT_EQ(Driver().KKTRegistrationNumber().size(), 16);
    EXPECT_EQ(Driver().TaxType(), 1);
    EXPECT_EQ(quint32(Driver().FiscalSign()), FN().Documents[0].FiscalSign);

    ASSERT_EQ(Driver().FNGetExpirationTime(), 0);
    EXPECT_EQ(DateTimeToQDateTime(Driver().Date()).date(), FN().Expiry);
    EXPECT_EQ(Driver().RegistrationNumber(), 1);
    EXPECT_EQ(Driver().FreeRegistration(), 29);

    Driver().setDocumentNumber(2);
    EXPECT_EQ(Driver().FNFindDocument(), FNError::NoData);
    EXPECT_EQ(Driver().ResultCodeDescription(), QStringLiteral("ФН: Нет запрошенных данных"));
}

TEST_F(FNTest, SessionsMakeDocumentsAndUpdateKeys)
{
    ASSERT_EQ(Driver().FNBeginOpenSession(), 0);
    ASSERT_EQ(Driver().FNGetStatus(), 0);
    EXPECT_EQ(Driver().FNCurrentDocument(), 2);
    ASSERT_EQ(Driver().OpenSession(), 0);
    EXPECT_EQ(Driver().FNBeginOpenSession(), FNError::OtherState);
    ASSERT_EQ(Driver().GetShortECRStatus(), 0);
    EXPECT_EQ(Driver().UpdateKeysResultCode(), 0);
    EXPECT_EQ(Driver().UpdateKeysStatus(), 2 << 2);

    FNDocument& receipt = FN().AddDocument(FNDocType::Receipt);
    receipt.OperationType = 1;
    receipt.Summ = 1234500;
    ASSERT_EQ(Driver().FNGetCurrentSessionParams(), 0);
    EXPECT_EQ(Driver().SessionNumber(), 1);
    EXPECT_EQ(Driver().FNSessionState(), 1);
    EXPECT_EQ(Driver().ReceiptNumber(), 1);

    Driver().setDocumentNumber(3);
    ASSERT_EQ(Driver().FNFindDocument(), 0);
    EXPECT_EQ(Driver().OperationType(), 1);
    EXPECT_EQ(Driver().Summ1(), 1234500);
    ASSERT_EQ(Driver().FNReadFiscalBarcode(), 0);
    EXPECT_TRUE(Driver().BarCode().contains(QStringLiteral("&s=123.45&fn=%1&i=3&").arg(FN().Serial)));
    Driver().setDocumentNumber(2);
    EXPECT_EQ(Driver().FNReadFiscalBarcode(), FNError::BadParameter);

    ASSERT_EQ(Driver().PrintReportWithCleaning(), 0);
    ASSERT_EQ(Driver().FNGetStatus(), 0);
    EXPECT_EQ(Driver().DocumentNumber(), 4);
    Driver().setDocumentNumber(4);
    ASSERT_EQ(Driver().FNFindDocument(), 0);
    EXPECT_EQ(Driver().DocumentType(), 5);
    EXPECT_EQ(Driver().SessionNumber(), 1);
    EXPECT_FALSE(Driver().OFDTicketReceived());

    // The keys are up to date now; then the server is out of reach.
    ASSERT_EQ(Driver().OpenSession(), 0);
    ASSERT_EQ(Driver().GetShortECRStatus(), 0);
    EXPECT_EQ(Driver().UpdateKeysResultCode(), 254);
    ASSERT_EQ(Driver().PrintReportWithCleaning(), 0);
    FN().KeyServer.Reachable = false;
    FN().KeyServer.CheckFailure = 2;
    ASSERT_EQ(Driver().OpenSession(), 0);
    ASSERT_EQ(Driver().GetShortECRStatus(), 0);
    EXPECT_EQ(Driver().UpdateKeysResultCode(), 255);
    EXPECT_EQ(Driver().UpdateKeysStatus(), 2);
}

TEST_F(FNTest, CalculationReportCountsUnconfirmedDocuments)
{
    ASSERT_EQ(Driver().OpenSession(), 0);
    ASSERT_EQ(Driver().PrintReportWithCleaning(), 0);
    QDateTime first = FN().Documents[1].DateTime;
    ASSERT_EQ(Driver().FNGetDocumentSize(), 0);
    EXPECT_EQ(Driver().DocumentSize(), FN().Documents[1].Size());

    ASSERT_EQ(Driver().FNBeginCalculationStateReport(), 0);
    EXPECT_EQ(Driver().FNBeginCloseFiscalMode(), FNError::OtherState);  // a document is being built
    ASSERT_EQ(Driver().FNBuildCalculationStateReport(), 0);
    EXPECT_EQ(Driver().DocumentNumber(), 4);
    EXPECT_EQ(Driver().DocumentCount(), 2);
    EXPECT_EQ(DateTimeToQDateTime(Driver().Date() + Driver().Time()).toSecsSinceEpoch(), first.toSecsSinceEpoch());

    Driver().setDocumentNumber(4);
    ASSERT_EQ(Driver().FNFindDocument(), 0);
    EXPECT_EQ(Driver().DocumentType(), 21);
    EXPECT_EQ(Driver().DocumentCount(), 2);
    EXPECT_EQ(DateTimeToQDateTime(Driver().Date2() + Driver().Time2()).toSecsSinceEpoch(), first.toSecsSinceEpoch());
}

TEST_F(FNTest, ClosingTheFiscalModeEndsSessions)
{
    ASSERT_EQ(Driver().OpenSession(), 0);
    EXPECT_EQ(Driver().FNCloseFiscalMode(), FNError::OtherState);
    ASSERT_EQ(Driver().PrintReportWithCleaning(), 0);
    ASSERT_EQ(Driver().FNBeginCloseFiscalMode(), 0);
    ASSERT_EQ(Driver().FNCloseFiscalMode(), 0);
    EXPECT_EQ(Driver().DocumentNumber(), 4);
    EXPECT_EQ(quint32(Driver().FiscalSign()), FN().Documents.back().FiscalSign);
    ASSERT_EQ(Driver().FNGetStatus(), 0);
    EXPECT_EQ(Driver().FNLifeState(), 7);
    EXPECT_EQ(Driver().OpenSession(), FNError::OtherState);
    EXPECT_EQ(Driver().FNCountersSync(), FNError::OtherState);

    FN().Confirm(4);
    ASSERT_EQ(Driver().FNGetStatus(), 0);
    EXPECT_EQ(Driver().FNLifeState(), 15);
}

TEST_F(FNTest, DebugFNResetsToBlankOnRequest22)
{
    ASSERT_EQ(Driver().OpenSession(), 0);
    Driver().setRequestType(0);
    EXPECT_EQ(Driver().FNResetState(), FNError::BadParameter);
    Driver().setRequestType(22);
    ASSERT_EQ(Driver().FNResetState(), 0);
    ASSERT_EQ(Driver().FNGetStatus(), 0);
    EXPECT_EQ(Driver().FNLifeState(), 1);
    EXPECT_EQ(Driver().DocumentNumber(), 0);
    EXPECT_EQ(Driver().FNSessionState(), 0);
    EXPECT_EQ(Driver().OpenSession(), FNError::OtherState);

    FNRegistration data;
    data.INN = QStringLiteral("7701000001");
    ASSERT_EQ(FN().Fiscalise(data), 0);
    EXPECT_EQ(FN().Fiscalise(data), FNError::OtherState);
    EXPECT_EQ(Driver().OpenSession(), 0);

    FN().SoftType = 1;
    EXPECT_EQ(Driver().FNResetState(), FNError::UnknownCommand);
}

TEST_F(FNTest, OKPKeyUpdateAnswersThroughTheRawCommand)
{
    const QByteArray command = QByteArray::fromHex("FEE11E000000");
    QByteArray answer;
    ASSERT_EQ(Driver().SendCommand(command, answer), 0);
    EXPECT_EQ(answer, QByteArray::fromHex("FEE10002"));
    ASSERT_EQ(Driver().SendCommand(command, answer), 0);
    EXPECT_EQ(answer, QByteArray::fromHex("FEE10000"));

    FN().KeyServer.Reachable = false;
    ASSERT_EQ(Driver().SendCommand(command, answer), 0);
    EXPECT_EQ(answer, QByteArray::fromHex("FEE100FF"));
    FN().KeyServer.OKPSupported = false;
    ASSERT_EQ(Driver().SendCommand(command, answer), 0);
    EXPECT_EQ(answer, QByteArray::fromHex("FEE100FE"));
    EXPECT_EQ(TestRegister().Paper().Texts().last(), QStringLiteral("ОБНОВЛЕНИЕ КЛЮЧЕЙ ОКП НЕ ВЫПОЛНЕНО"));

    EXPECT_EQ(Driver().SendCommand(QByteArray::fromHex("FEE101020304"), answer), OrvekResult::BadPassword);
    EXPECT_EQ(answer, QByteArray::fromHex("FEE14F"));
}

TEST_F(FNTest, ResourcesFollowTheDocuments)
{
    FN().MarkingFillPercentage = -1;
    ASSERT_EQ(Driver().FNGetFreeMemoryResource(), 0);
    EXPECT_EQ(Driver().FN5YearResource(), FN().Capacity5Year - 1);
    EXPECT_EQ(Driver().FN30DayResource(), FN().Capacity30DayKb);
    EXPECT_EQ(Driver().FNMarkingFillPercentage(), -1);
    ASSERT_EQ(Driver().OpenSession(), 0);
    ASSERT_EQ(Driver().FNGetFreeMemoryResource(), 0);
    EXPECT_EQ(Driver().FN5YearResource(), FN().Capacity5Year - 2);
    EXPECT_EQ(Driver().FN30DayResource(), FN().Capacity30DayKb - 1);

    TestRegister().SetNow(QDateTime(FN().Expiry.addDays(-2), QTime(12, 0)));
    ASSERT_EQ(Driver().FNGetStatus(), 0);
    EXPECT_EQ(Driver().FNWarningFlags(), 1 | 2 | 8);
}
