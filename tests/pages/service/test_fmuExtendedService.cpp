// The page "Расширенное": service table writes, presets, raw service commands.
#include "pages/service/fmuExtendedService.h"

#include "core/binding/OrvekServiceCodes.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterBoard.h"
#include "emulator/RegisterFN.h"
#include "tests/PageTestSupport.h"
#include "tests/TestSupport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <map>
#include <tuple>

using M = OrvekMethod;
using P = OrvekProp;

namespace {
using Write = std::tuple<int, int, int>;  // table, field, value

class ExtendedServiceTest : public PageTest<TfmExtendedService> {
protected:
    void SetUp() override
    {
        PageTest::SetUp();
        Driver().setPassword(30);
        TestComponent().Trace().Clear();
    }
    int Service(int field) { return TestRegister().Tables().Value(10, 1, field).toInt(); }
    // The table writes that reached the register, in order.
    std::vector<Write> Writes()
    {
        std::vector<Write> writes;
        std::map<P, QVariant> props;
        for (const OrvekTracedCall& call : TestComponent().Trace().Calls()) {
            for (const auto& [prop, value] : call.Written)
                props[prop] = value;
            if (call.Method == M::WriteTable)
                writes.emplace_back(props[P::TableNumber].toInt(), props[P::FieldNumber].toInt(),
                                    props[P::ValueOfFieldInteger].toInt());
        }
        return writes;
    }
    // TransferBytes of each ExchangeBytes.
    QStringList RawCommands()
    {
        QStringList commands;
        for (const OrvekTracedCall& call : TestComponent().Trace().Calls())
            for (const auto& [prop, value] : call.Written)
                if (prop == P::TransferBytes)
                    commands << value.toString();
        return commands;
    }
};
} // namespace

TEST_F(ExtendedServiceTest, ServiceFieldsUnderTheServicePassword)
{
    struct Case {
        QPushButton* Button;
        int Field, Value;
    } cases[] = {
        {Page->btnSetNarrowTape, 7, 1},
        {Page->btnSetWideTape, 7, 0},
        {Page->btnSetFNTimeout2sec, 10, 2},
        {Page->btnSetFNTimeout30sec, 10, 30},
        {Page->btnDecreaseReceiptSensorSensitive, 11, 50},
        {Page->btnResetReceiptSensorSensitive, 11, 130},
        {Page->btnEnableWorkaroundBugFN, 14, 1},
        {Page->DisableWorkaroundBugFN, 14, 0},
    };
    for (const Case& c : cases) {
        c.Button->click();
        EXPECT_EQ(Driver().ResultCode(), 0) << c.Field;
        EXPECT_EQ(Service(c.Field), c.Value) << c.Field;
        EXPECT_EQ(Driver().Password(), 30);
    }
    for (int index : {2, 3, 0}) {
        Page->cbLogSettings->setCurrentIndex(index);
        Page->btnSetLogging->click();
        EXPECT_EQ(Service(15), index);
    }
    EXPECT_EQ(Page->cbLogSettings->itemText(1), QStringLiteral("1 - COM порт "));
    // The service password was used for the writes alone.
    const auto& calls = TestComponent().Trace().Calls();
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls[1].Method, M::WriteTable);
    EXPECT_EQ(calls[1].Written.front(), std::make_pair(P::Password, QVariant(OrvekService::ServicePassword)));
}

TEST_F(ExtendedServiceTest, PasswordIsBackAfterARefusedWrite)
{
    for (std::int32_t code : {OrvekResult::BadPassword, OrvekResult::NoLink}) {
        TestRegister().Faults().FailNext(M::WriteTable, code);
        Page->btnSetFNTimeout2sec->click();
        EXPECT_EQ(Driver().ResultCode(), code);
        EXPECT_EQ(Driver().Password(), 30);
        EXPECT_EQ(Service(10), 5);
    }
    // A failed structure query writes nothing.
    TestRegister().Faults().FailNext(M::GetFieldStruct, 93);
    Page->btnSetNarrowTape->click();
    EXPECT_EQ(Service(7), 0);
    EXPECT_EQ(Driver().Password(), 30);
    // The user's password does not open the service table.
    Driver().setTableNumber(10);
    Driver().setRowNumber(1);
    Driver().setFieldNumber(7);
    Driver().setValueOfFieldInteger(1);
    EXPECT_EQ(Driver().WriteTable(), OrvekResult::BadPassword);
}

TEST_F(ExtendedServiceTest, RawServiceCommandsChangeTheBoard)
{
    RegisterBoard& board = TestRegister().Area<RegisterBoard>();
    Page->btnSetDFU->click();
    Page->btnFormatSD->click();
    Page->btnEnable100Mbit->click();
    EXPECT_TRUE(board.Ethernet100Mbit);
    Page->btnDisable100Mbit->click();
    Page->SetLastFDDate->click();
    EXPECT_EQ(RawCommands(), (QStringList{"FE ED 00 00 00 00", "FE 04 00 00 00 00", "FE 0E 01 01 00 00",
                                          "FE 0E 01 00 00 00", "FE E2 4C 51 7A 09"}));
    EXPECT_TRUE(board.DFUMode);
    EXPECT_EQ(Service(6), 1);
    EXPECT_EQ(board.SDFormats, 1);
    EXPECT_FALSE(board.Ethernet100Mbit);
    EXPECT_TRUE(board.LastFDDate.isValid());
    // A wrong access code is refused.
    Driver().setBinaryConversion(1);
    Driver().setTransferBytes(QStringLiteral("FE E2 00 00 00 00"));
    EXPECT_EQ(Driver().ExchangeBytes(), OrvekResult::BadPassword);
    TestRegister().Faults().FailNext(M::ExchangeBytes, -1);
    Page->btnFormatSD->click();
    EXPECT_EQ(board.SDFormats, 1);
}

TEST_F(ExtendedServiceTest, ClassicPresetWritesItsFieldsInOrder)
{
    Page->bntEnableClassicPrint->click();
    std::vector<Write> expected = {{1, 16, 1}, {1, 29, 4}, {17, 18, 0}, {17, 56, 0}, {8, 1, 1}};
    for (int field = 2; field <= 17; ++field)
        expected.emplace_back(8, field, 1);
    expected.emplace_back(8, 18, 2);
    for (int field = 19; field <= 23; ++field)
        expected.emplace_back(8, field, 1);
    expected.emplace_back(8, 24, 5);
    EXPECT_EQ(expected.size(), 28u);
    EXPECT_EQ(Writes(), expected);
    EXPECT_EQ(TestRegister().Tables().Value(8, 18, 1), QVariant());  // row 1 only
    EXPECT_EQ(TestRegister().Tables().Value(8, 1, 18), QVariant(2));
}

TEST_F(ExtendedServiceTest, CompactPresetStopsAtTheFirstFailure)
{
    TestRegister().Faults().FailWhen(M::WriteTable, P::FieldNumber, 10, OrvekResult::BadParameter);
    Page->bntEnableCompactPrint->click();
    EXPECT_EQ(Driver().ResultCode(), OrvekResult::BadParameter);
    const RegisterTables& t = TestRegister().Tables();
    EXPECT_EQ(t.Value(1, 1, 16), QVariant(3));
    EXPECT_EQ(t.Value(1, 1, 29), QVariant(2));
    EXPECT_EQ(t.Value(17, 1, 18), QVariant(6));
    EXPECT_EQ(t.Value(17, 1, 56), QVariant(6));
    EXPECT_EQ(t.Value(8, 1, 1), QVariant(1));
    for (int field = 2; field <= 9; ++field)
        EXPECT_EQ(t.Value(8, 1, field), QVariant(5)) << field;
    for (int field = 10; field <= 24; ++field)
        EXPECT_EQ(t.Value(8, 1, field), QVariant(1)) << field;
    EXPECT_EQ(Writes().size(), 14u);
    EXPECT_TRUE(Page->bntEnableCompactPrint->isEnabled());
}

TEST_F(ExtendedServiceTest, BoardVersionAndOSUSupport)
{
    Page->btnGetFwVersion->click();
    EXPECT_EQ(Page->edtFwVersion->text(), QStringLiteral("UM 2.1.7"));
    TestRegister().Faults().FailNext(M::ExchangeBytes, 55);
    Page->btnGetFwVersion->click();
    EXPECT_EQ(Page->edtFwVersion->text(), QString());

    RegisterFN& fn = TestRegister().Area<RegisterFN>();
    const struct {
        int Status;
        const char* Text;
    } cases[] = {
        {0, "0x00, ФН поддерживает ОСУ, режим ОСУ не активен"},
        {1, "0x01, ФН поддерживает ОСУ и ОСУ активна"},
        {255, "0xFF, ФН не поддерживает ОСУ"},
        {7, "7, Неизвестное значение"},
    };
    for (const auto& c : cases) {
        fn.OSUSupportStatus = c.Status;
        Page->btnFNOSUSupport->click();
        EXPECT_EQ(Page->edtOSUSupport->text(), QString::fromUtf8(c.Text));
        // The whole status shows.
        EXPECT_GE(Page->edtOSUSupport->minimumWidth(),
                  Page->edtOSUSupport->fontMetrics().horizontalAdvance(Page->edtOSUSupport->text()) + 8);
    }
    TestRegister().Faults().FailNext(M::FNGetOSUSupportStatus, 2);
    Page->btnFNOSUSupport->click();
    EXPECT_EQ(Page->edtOSUSupport->text(), QString());
    EXPECT_EQ(Driver().ResultCode(), 2);
}
