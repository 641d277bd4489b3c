// Registration reports of the emulated FN: the report types begun, what a
// build checks and records, the registrations by number and the document
// requests the register does not model.
#include "tests/DriverTestSupport.h"

#include "core/support/CodePage.h"
#include "core/support/RNMUtil.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterFiscalization.h"

using M = OrvekMethod;

class FiscalizationTest : public DriverTest {
protected:
    RegisterFN& FN() { return TestRegister().Area<RegisterFN>(); }
    // Registration data the register takes.
    void SetData(const QString& inn = QStringLiteral("7701234567"))
    {
        Driver().setINN(inn);
        Driver().setKKTRegistrationNumber(
            GenerateRNM(QByteArray("42"), inn.toLatin1(), TestRegister().State().Serial.toLatin1()));
        Driver().setTaxType(1);
        Driver().setWorkMode(0);
    }
};

TEST_F(FiscalizationTest, BeginsTheReportOfItsType)
{
    struct Case {
        int type;
        bool blank;
        int code;
        int document;
    } cases[] = {
        {0, true, 0, FNOpenDoc::Registration},
        {0, false, FNError::OtherState, FNOpenDoc::None},
        {1, false, 0, FNOpenDoc::ReregistrationNewFN},
        {2, false, 0, FNOpenDoc::Reregistration},
        {2, true, FNError::OtherState, FNOpenDoc::None},
        {3, false, FNError::BadParameter, FNOpenDoc::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        ResetEmulatedDriver();
        if (c.blank)
            FN().Reset();
        Driver().setReportTypeInt(c.type);
        EXPECT_EQ(Driver().FNBeginRegistrationReport(), c.code);
        EXPECT_EQ(FN().CurrentDocument, c.document);
    }
}

TEST_F(FiscalizationTest, ANewFNTakesTheReRegistrationWithANewFN)
{
    for (M build : {M::FNBuildRegistrationReport, M::FNBuildReregistrationReport}) {
        SCOPED_TRACE(MethodName(build).data());
        ResetEmulatedDriver();
        FN().Reset();
        SetData();
        Driver().setRegistrationReasonCode(1);
        Driver().setReportTypeInt(1);
        ASSERT_EQ(Driver().FNBeginRegistrationReport(), 0);
        EXPECT_EQ(FN().CurrentDocument, FNOpenDoc::ReregistrationNewFN);
        ASSERT_EQ(Driver().Invoke(build), 0);
        EXPECT_TRUE(FN().FiscalMode());
        ASSERT_EQ(FN().Documents.size(), 1u);
        EXPECT_EQ(FN().Documents[0].Type, FNDocType::Reregistration);
        EXPECT_EQ(Driver().FiscalSignAsString(), QString::number(FN().Documents[0].FiscalSign));
        // Fields 2 to 4 of table 18 name the registration and the FN.
        EXPECT_EQ(TestRegister().Tables().Value(18, 1, 2).toString(), QStringLiteral("7701234567"));
        EXPECT_EQ(TestRegister().Tables().Value(18, 1, 3).toString(), Driver().KKTRegistrationNumber());
        EXPECT_EQ(TestRegister().Tables().Value(18, 1, 4).toString(), FN().Serial);
    }
    // A cancelled begin leaves the new FN blank.
    ResetEmulatedDriver();
    FN().Reset();
    Driver().setReportTypeInt(1);
    ASSERT_EQ(Driver().FNBeginRegistrationReport(), 0);
    ASSERT_EQ(Driver().FNCancelDocument(), 0);
    EXPECT_EQ(FN().CurrentDocument, FNOpenDoc::None);
    EXPECT_FALSE(FN().FiscalMode());
    EXPECT_TRUE(FN().Documents.empty());
}

TEST_F(FiscalizationTest, BuildChecksTheDataAndKeepsTheTimeout)
{
    FN().Reset();
    Driver().setTimeout(12345);
    for (auto spoil : std::initializer_list<std::function<void()>>{
             [] { Driver().setINN(QStringLiteral("77012345")); },
             [] { Driver().setTaxType(0); },
             [] { Driver().setKKTRegistrationNumber(QStringLiteral("0000000042000000")); },
         }) {
        SetData();
        spoil();
        EXPECT_EQ(Driver().FNBuildRegistrationReport(), FNError::BadParameter);
    }
    EXPECT_EQ(FN().LifeState, FNLife::Configured);
    EXPECT_EQ(TestRegister().Area<RegisterFiscalization>().BuildTimeout, 12345);

    SetData();
    ASSERT_EQ(Driver().FNBuildRegistrationReport(), 0);
    EXPECT_EQ(FN().LifeState, FNLife::Configured | FNLife::FiscalMode);
    EXPECT_EQ(Driver().DocumentNumber(), 1);
    EXPECT_EQ(TestRegister().Tables().Value(18, 1, 2).toString(), QStringLiteral("7701234567"));
    // A second registration of the same FN is refused.
    EXPECT_EQ(Driver().FNBuildRegistrationReport(), FNError::OtherState);
    // A fault on demand.
    TestRegister().Faults().FailNext(M::FNBuildReregistrationReport, OrvekResult::FNBusy);
    EXPECT_EQ(Driver().FNBuildReregistrationReport(), OrvekResult::FNBusy);
}

TEST_F(FiscalizationTest, RegistrationsByNumber)
{
    SetData(QStringLiteral("123456789012"));
    Driver().setRegistrationReasonCode(5);
    EXPECT_EQ(Driver().FNBuildReregistrationReport(), FNError::BadParameter);
    Driver().setRegistrationReasonCode(3);
    ASSERT_EQ(Driver().FNBuildReregistrationReport(), 0);

    ASSERT_EQ(Driver().FNGetFiscalizationResult(), 0);
    EXPECT_EQ(Driver().INN(), QStringLiteral("123456789012"));
    EXPECT_EQ(Driver().RegistrationReasonCode(), 3);
    for (const auto& [number, inn] : {std::pair{1, "0123456788"}, std::pair{2, "123456789012"}}) {
        Driver().setRegistrationNumber(number);
        ASSERT_EQ(Driver().FNGetFiscalizationResultByNumber(), 0);
        EXPECT_EQ(Driver().INN(), QString::fromLatin1(inn));
        EXPECT_EQ(Driver().DocumentNumber(), number);
    }
    for (int missing : {0, 3}) {
        Driver().setRegistrationNumber(missing);
        EXPECT_EQ(Driver().FNGetFiscalizationResultByNumber(), FNError::NoData);
    }

    Driver().setRegistrationNumber(2);
    Driver().setTagNumber(1101);
    ASSERT_EQ(Driver().FNRequestRegistrationTLV(), 0);
    EXPECT_EQ(WideToAnsi(Driver().TLVData()), QByteArray::fromHex("4D04010003"));
    Driver().setRequestDocumentType(1);
    Driver().setShowTagNumber(false);
    ASSERT_EQ(Driver().FNGetDocumentAsString(), 0);
    EXPECT_TRUE(Driver().StringForPrinting().contains(QStringLiteral("\r\nКОД ПРИЧИНЫ ПЕРЕРЕГ.: 3")));
    Driver().setRequestDocumentType(2);
    EXPECT_EQ(Driver().FNGetDocumentAsString(), OrvekResult::NotSupported);
    EXPECT_EQ(Driver().StringForPrinting(), QString());
    // A missing tag leaves no TLV of the one before.
    Driver().setTagNumber(1036);
    EXPECT_EQ(Driver().FNRequestRegistrationTLV(), FNError::NoData);
    EXPECT_EQ(Driver().TLVData(), QString());

    FN().Reset();
    EXPECT_EQ(Driver().FNGetFiscalizationResult(), FNError::NoData);
}
