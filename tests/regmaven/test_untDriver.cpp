#include "platform/Exceptions.h"
#include "emulator/OrvekResultCodes.h"
#include "tests/regmaven/WizardTestSupport.h"
#include "regmaven/OrvekDevice.h"

#include <QElapsedTimer>
#include <QTimer>
#include <ctime>

using namespace Regmaven;

using WizardDriverTest = WizardTest;

TEST_F(WizardDriverTest, CreateDriverSuspendsTheOFDExchangeOnce)
{
    EXPECT_FALSE(Regmaven::DriverExists());
    Regmaven::CreateDriver();
    TOrvek* first = &Regmaven::Driver();
    EXPECT_TRUE(Regmaven::Driver().OFDExchangeSuspended());
    Regmaven::CreateDriver();
    EXPECT_EQ(&Regmaven::Driver(), first);
    Regmaven::FreeDriver();
    EXPECT_FALSE(Regmaven::DriverExists());
}

TEST_F(WizardDriverTest, CheckShowsCodeAndDescription)
{
    EXPECT_NO_THROW(Check(0));
    EXPECT_EQ(MessageOf([] { ReadTableInt(99, 1, 1); }), "Ошибка 93, " + OrvekResultDescription(93));
    TOrvekDevice device;
    device.setTableNumber(99);
    const int32_t code = device.ReadTable();
    EXPECT_EQ(MessageOf([&] { device.Check(code); }), "93, " + OrvekResultDescription(93));
}

TEST_F(WizardDriverTest, LogicalTablesFollowTheModelParameters)
{
    EXPECT_EQ(CorrectTableNumber(18), 18);
    EXPECT_EQ(CorrectTableNumber(19), 19);
    EXPECT_EQ(CorrectTableNumber(24), 24);
    TestRegister().ModelParams().Set(73, 0);
    TestRegister().ModelParams().Set(72, 13);
    EXPECT_EQ(CorrectTableNumber(19), 0);
    EXPECT_EQ(CorrectTableNumber(18), 13);
    const int reads = TestRegister().CallCount(OrvekMethod::ReadModelParamValue);
    EXPECT_EQ(CorrectTableNumber(17), 17);
    EXPECT_EQ(TestRegister().CallCount(OrvekMethod::ReadModelParamValue), reads);
    // Table 18 is read where parameter 72 points.
    EXPECT_EQ(ReadTableInt(18, 1, 21), TestRegister().Tables().Value(13, 1, 21).toInt());
}

TEST_F(WizardDriverTest, ReadsAndWrites)
{
    WriteTableStr(18, 1, 2, "7707083893");
    EXPECT_EQ(ReadTableStr(18, 1, 2), "7707083893");
    // An integer for a string field goes as its decimal text.
    WriteTableInt(18, 1, 3, 12345);
    EXPECT_EQ(TestRegister().Tables().Value(18, 1, 3).toString(), "12345");
    WriteTableInt(18, 1, 17, 3);
    EXPECT_EQ(ReadTableInt(18, 1, 17), 3);
    WriteFieldInt(17, 17, 2);
    EXPECT_EQ(TestRegister().Tables().Value(17, 1, 17).toInt(), 2);
    EXPECT_TRUE(MessageOf([] { WriteTableInt(18, 1, 17, 1000); }).startsWith("Ошибка 51, "));
}

TEST_F(WizardDriverTest, TryReadsTreatMissingFieldsAsEmpty)
{
    EXPECT_EQ(TryReadTableInt(99, 1, 1), 0);
    EXPECT_EQ(TryReadTableStr(18, 1, 99), QString());
    EXPECT_EQ(TryReadTableStr(18, 1, 2), TestRegister().Tables().Value(18, 1, 2).toString());
    TestRegister().Faults().FailNext(OrvekMethod::ReadTable, 50);
    EXPECT_TRUE(MessageOf([] { TryReadTableInt(18, 1, 17); }).startsWith("Ошибка 50, "));
}

TEST_F(WizardDriverTest, ModelTestsAndFFDVersion)
{
    EXPECT_FALSE(IsNewModel());
    EXPECT_FALSE(IsUModel19());
    EXPECT_EQ(ReadFFDVersion(), TestRegister().Tables().Value(17, 1, 17).toInt());
    WriteFFDVersion(2);
    EXPECT_EQ(TestRegister().Tables().Value(17, 1, 17).toInt(), 2);
    EXPECT_EQ(TestRegister().Tables().Value(17, 1, 3).toInt(), 2);
    TestRegister().Tables().SetValue(17, 1, 3, 4);
    WriteFFDVersion(0);
    EXPECT_EQ(TestRegister().Tables().Value(17, 1, 17).toInt(), 0);
    EXPECT_EQ(TestRegister().Tables().Value(17, 1, 3).toInt(), 4);

    TestRegister().ModelParams().Set(28, true);
    EXPECT_TRUE(IsNewModel());
    TestRegister().Tables().SetValue(10, 1, 4, 3);
    EXPECT_EQ(ReadFFDVersion(), 3);
    WriteFFDVersion(1);
    EXPECT_EQ(TestRegister().Tables().Value(10, 1, 29).toInt(), 0);
    WriteFFDVersion(4);
    EXPECT_EQ(TestRegister().Tables().Value(10, 1, 29).toInt(), 4);
    // Anything but the boolean True is not the new model.
    TestRegister().ModelParams().Set(28, 1);
    EXPECT_FALSE(ReadModelParam28());
    // A failed read is not the new model, whatever an earlier read left.
    TestRegister().ModelParams().Set(28, true);
    ASSERT_TRUE(IsNewModel());
    TestRegister().Faults().FailNext(OrvekMethod::ReadModelParamValue, OrvekResult::NoLink);
    EXPECT_FALSE(IsNewModel());
}

TEST_F(WizardDriverTest, UModel19)
{
    Bench().Clear();
    RegisterConfig config;
    config.ModelId = 19;
    Bench().Add(config);
    EXPECT_TRUE(IsUModel19());
}

TEST_F(WizardDriverTest, BusyFNCallsAreReissued)
{
    RegisterFaults& faults = TestRegister().Faults();
    faults.FailNext(OrvekMethod::FNSendTag, 80, 2);
    faults.FailNext(OrvekMethod::FNSendTag, 75, 1);
    faults.FailNext(OrvekMethod::FNSendTag, 0, 1);
    SendTagStr(1021, "Кассир");
    EXPECT_EQ(TestRegister().CallCount(OrvekMethod::FNSendTag), 4);
    EXPECT_EQ(Component().Props().Int(OrvekProp::TagNumber), 1021);
    EXPECT_EQ(Component().Props().Int(OrvekProp::TagType), 7);
    EXPECT_EQ(Component().Props().Str(OrvekProp::TagValueStr), QStringLiteral("Кассир"));

    faults.FailNext(OrvekMethod::FNSendTag, 0, 1);
    SendTagByte(1207, 0x1FF);
    EXPECT_EQ(Component().Props().Int(OrvekProp::TagType), 0);
    EXPECT_EQ(Component().Props().Int(OrvekProp::TagValueInt), 0xFF);

    // Another code ends the reissue and goes to Check.
    faults.FailNext(OrvekMethod::FNBeginRegistrationReport, 80, 1);
    faults.FailNext(OrvekMethod::FNBeginRegistrationReport, 2, 1);
    EXPECT_TRUE(MessageOf([] { BeginRegistrationReport(); }).startsWith("Ошибка 2, "));
    EXPECT_EQ(TestRegister().CallCount(OrvekMethod::FNBeginRegistrationReport), 2);
}

TEST_F(WizardDriverTest, ReissueIsBoundedAndKeepsTheWindowPainting)
{
    SetRetryPolicy({1, 5});
    TestRegister().Faults().FailNext(OrvekMethod::FNBuildRegistrationReport, 80, 1000);
    bool eventsRan = false;
    QTimer::singleShot(0, [&] { eventsRan = true; });
    EXPECT_EQ(MessageOf([] { BuildRegistrationReport(); }), "Ошибка 80, " + OrvekResultDescription(80));
    EXPECT_EQ(TestRegister().CallCount(OrvekMethod::FNBuildRegistrationReport), 5);
    EXPECT_TRUE(eventsRan);

    TestRegister().Faults().Clear();
    TestRegister().Faults().FailNext(OrvekMethod::FNBuildReregistrationReport, 75, 1000);
    EXPECT_TRUE(MessageOf([] { BuildReregistrationReport(); }).startsWith("Ошибка 75, "));
    EXPECT_EQ(TestRegister().CallCount(OrvekMethod::FNBuildReregistrationReport), 5);
}

TEST_F(WizardDriverTest, ReissuePauseWaitsWithoutSpinning)
{
    SetRetryPolicy({30, 3});
    TestRegister().Faults().FailNext(OrvekMethod::FNSendTag, 80, 2);
    TestRegister().Faults().FailNext(OrvekMethod::FNSendTag, 0, 1);
    QElapsedTimer wall;
    wall.start();
    const std::clock_t cpu = std::clock();
    SendTagByte(1207, 1);
    const double cpuMs = double(std::clock() - cpu) * 1000 / CLOCKS_PER_SEC;
    EXPECT_GE(wall.elapsed(), 60);
    EXPECT_LT(cpuMs, wall.elapsed() / 2.0);
}
