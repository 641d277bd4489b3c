// The emulated component's dispatch: results after every call, start-up
// values, refused writes, unmodelled methods.
#include "tests/DriverTestSupport.h"

#include "platform/Exceptions.h"
#include "emulator/OrvekHandlers.h"
#include "emulator/OrvekResultCodes.h"

using P = OrvekProp;
using M = OrvekMethod;

class DispatchTest : public DriverTest {};

TEST_F(DispatchTest, EveryMethodAnswersWithACodeAndItsDescription)
{
    for (int i = 0; i < OrvekMethodCount; ++i) {
        FreeDriver();
        auto method = OrvekMethod(i);
        std::int32_t code = Driver().Invoke(method);
        EXPECT_EQ(Driver().ResultCode(), code) << MethodName(method);
        EXPECT_FALSE(Driver().ResultCodeDescription().isEmpty()) << MethodName(method);
        if (code == OrvekResult::NotSupported) {
            EXPECT_TRUE(Driver().ResultCodeDescription().contains(QString::fromLatin1(MethodName(method).data())))
                << MethodName(method);
        }
    }
}

TEST_F(DispatchTest, UnmodelledMethodIsNeverASilentSuccess)
{
    // A method that no handler models yet answers its own code, after the
    // register was reached.
    int unmodelled = 0;
    while (unmodelled < OrvekMethodCount && OrvekHandlers()[M(unmodelled)].Handler)
        ++unmodelled;
    if (unmodelled == OrvekMethodCount)
        GTEST_SKIP() << "every method is modelled";
    const M method = M(unmodelled);
    std::int32_t code = Driver().Invoke(method);
    EXPECT_EQ(code, OrvekResult::NotSupported);
    EXPECT_EQ(Driver().ResultCodeDescription(), QStringLiteral("Эмулируемая ККТ не поддерживает метод ")
                                                    + QString::fromLatin1(MethodName(method).data()));
    EXPECT_FALSE(Driver().ECRInput().isEmpty());
}

TEST_F(DispatchTest, ResultPropertiesAfterADeviceCall)
{
    Driver().setPassword(3);
    ASSERT_EQ(Driver().GetShortECRStatus(), 0);
    EXPECT_EQ(Driver().ResultCode(), 0);
    EXPECT_EQ(Driver().ResultCodeDescription(), QStringLiteral("Ошибок нет"));
    EXPECT_EQ(Driver().OperatorNumber(), 3);
    // STX, length, command 10, password 3 little-endian, check byte.
    EXPECT_EQ(Driver().ECRInput(), QStringLiteral("02 05 10 03 00 00 00 16"));
    EXPECT_TRUE(Driver().ECROutput().startsWith(QStringLiteral("02 ")));
    EXPECT_TRUE(Driver().ECROutput().contains(QStringLiteral(" 10 00 03 ")));  // command, code 0, operator 3

    Driver().setPassword(12345);
    EXPECT_EQ(Driver().GetShortECRStatus(), OrvekResult::BadPassword);
    EXPECT_EQ(Driver().ResultCodeDescription(), QStringLiteral("Неверный пароль"));

    // A call that stays in the driver leaves no exchange behind.
    EXPECT_EQ(Driver().ClearResult(), 0);
    EXPECT_EQ(Driver().ECRInput(), QString());
    EXPECT_EQ(Driver().ECROutput(), QString());
}

TEST_F(DispatchTest, StartupValuesAndRefusedWrites)
{
    for (int i = 0; i < OrvekPropCount; ++i) {
        auto p = OrvekProp(i);
        QVariant v = Driver().GetProperty(p);
        EXPECT_EQ(v, OrvekPropertyStore::StartupValue(p)) << PropInfo(p).Name;
    }
    EXPECT_EQ(Driver().Password(), 30);
    EXPECT_EQ(Driver().SysAdminPassword(), 30);
    EXPECT_EQ(Driver().ComNumber(), 1);
    EXPECT_EQ(Driver().BaudRate(), 6);
    EXPECT_EQ(Driver().TCPPort(), 7778);
    EXPECT_EQ(Driver().DriverVersion(), QStringLiteral("5.20.0.1100"));

    EXPECT_THROW(Driver().PutProperty(P::ResultCode, 5), EOleError);
    EXPECT_THROW(Driver().PutProperty(P::Password, QStringLiteral("abc")), EOleError);
    EXPECT_EQ(Driver().Password(), 30);
    // A property keeps what was written.
    Driver().setStringForPrinting(QStringLiteral("строка"));
    Driver().GetShortECRStatus();
    EXPECT_EQ(Driver().StringForPrinting(), QStringLiteral("строка"));
}
