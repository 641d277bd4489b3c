// The register model: status, mode, clock, identity, model parameters,
// device tables and the paper.
#include "tests/DriverTestSupport.h"

#include "core/support/CodePage.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterPrinter.h"

using M = OrvekMethod;

class RegisterTest : public DriverTest {};

TEST_F(RegisterTest, LongAndShortStatusFollowTheRegistersState)
{
    EmulatedRegister& r = TestRegister();
    ASSERT_EQ(Driver().GetECRStatus(), 0);
    EXPECT_EQ(Driver().ECRMode(), 4);
    EXPECT_EQ(Driver().ECRModeDescription(), QStringLiteral("Закрытая смена"));
    EXPECT_EQ(Driver().ECRAdvancedModeDescription(), QStringLiteral("Бумага есть"));
    EXPECT_EQ(Driver().ECRSoftVersion(), r.Config().SoftVersion);
    EXPECT_TRUE(Driver().ReceiptRibbonIsPresent());
    EXPECT_FALSE(Driver().JournalRibbonIsPresent());
    EXPECT_TRUE(Driver().PointPosition());
    EXPECT_EQ(Driver().ECRFlags() & 0x02, 0x02);

    r.SetFlag(EcrFlag::IsDrawerOpen, true);
    r.SetFlag(EcrFlag::ReceiptRibbonIsPresent, false);
    r.State().AdvancedMode = 2;
    r.State().BatteryVoltage = 2.5;
    ASSERT_EQ(Driver().GetShortECRStatus(), 0);
    EXPECT_TRUE(Driver().IsDrawerOpen());
    EXPECT_FALSE(Driver().ReceiptRibbonIsPresent());
    EXPECT_EQ(Driver().ECRAdvancedMode(), 2);
    EXPECT_EQ(Driver().ECRAdvancedModeDescription(), QStringLiteral("Активное отсутствие бумаги"));
    EXPECT_DOUBLE_EQ(Driver().BatteryVoltage(), 2.5);
    // No paper: printing is refused.
    EXPECT_EQ(Driver().PrintString(), OrvekResult::NoPaper);
    EXPECT_EQ(Driver().ResultCodeDescription(), QStringLiteral("Нет чековой ленты"));
}

TEST_F(RegisterTest, SessionOpensClosesAndTurnsOverAfter24Hours)
{
    EmulatedRegister& r = TestRegister();
    ASSERT_EQ(Driver().OpenSession(), 0);
    EXPECT_EQ(Driver().OpenSession(), OrvekResult::WrongMode);
    ASSERT_EQ(Driver().GetECRStatus(), 0);
    EXPECT_EQ(Driver().ECRMode(), 2);
    EXPECT_TRUE(Driver().IsFMSessionOpen());

    r.SetNow(r.Now().addSecs(24 * 3600 + 60));
    ASSERT_EQ(Driver().GetECRStatus(), 0);
    EXPECT_EQ(Driver().ECRMode(), 3);
    EXPECT_EQ(Driver().ECRModeDescription(), QStringLiteral("Открытая смена, 24 часа кончились"));
    EXPECT_TRUE(Driver().IsFM24HoursOver());

    ASSERT_EQ(Driver().PrintReportWithCleaning(), 0);
    ASSERT_EQ(Driver().GetECRStatus(), 0);
    EXPECT_EQ(Driver().ECRMode(), 4);
    EXPECT_EQ(Driver().SessionNumber(), 1);
    EXPECT_EQ(Driver().PrintReportWithCleaning(), OrvekResult::WrongMode);
    EXPECT_EQ(r.Paper().Texts(), (QStringList{QStringLiteral("ОТКРЫТИЕ СМЕНЫ 1"), QStringLiteral("СУТОЧНЫЙ ОТЧЕТ С ГАШЕНИЕМ"),
                                              QStringLiteral("СМЕНА 1")}));
}

TEST_F(RegisterTest, ClockDateNeedsConfirmationTimeDoesNot)
{
    QDate date(2030, 5, 17);
    Driver().setDate(QDateToDateTime(date));
    ASSERT_EQ(Driver().SetDate(), 0);
    EXPECT_NE(TestRegister().Now().date(), date);
    Driver().setDate(QDateToDateTime(date.addDays(1)));
    EXPECT_EQ(Driver().ConfirmDate(), OrvekResult::BadParameter);
    Driver().setDate(QDateToDateTime(date));
    ASSERT_EQ(Driver().ConfirmDate(), 0);
    EXPECT_EQ(Driver().ConfirmDate(), OrvekResult::WrongMode);  // nothing to confirm

    Driver().setTime(QDateTimeToDateTime(QDateTime(QDate(1899, 12, 30), QTime(23, 59, 0))));
    ASSERT_EQ(Driver().SetTime(), 0);
    ASSERT_EQ(Driver().GetECRStatus(), 0);
    QDateTime clock = DateTimeToQDateTime(Driver().Date() + Driver().Time());
    EXPECT_EQ(clock.date(), date);
    EXPECT_EQ(clock.time().hour(), 23);
    EXPECT_EQ(clock.time().minute(), 59);
}

TEST_F(RegisterTest, IdentityAndMetrics)
{
    ASSERT_EQ(Driver().GetDeviceMetrics(), 0);
    EXPECT_EQ(Driver().UModel(), TestRegister().Config().ModelId);
    EXPECT_EQ(Driver().UDescription(), QStringLiteral("Эмулятор ККТ"));
    EXPECT_EQ(Driver().ModelParamCount(), int(TestRegister().ModelParams().All().size()));

    // A number is written only over none or zeros.
    Driver().setSerialNumber(QStringLiteral("0012345678"));
    EXPECT_EQ(Driver().SetSerialNumber(), OrvekResult::WrongMode);
    TestRegister().State().Serial = QStringLiteral("0000000000");
    ASSERT_EQ(Driver().SetSerialNumber(), 0);
    Driver().setSerialNumber(QString());
    ASSERT_EQ(Driver().ReadSerialNumber(), 0);
    EXPECT_EQ(Driver().SerialNumber(), QStringLiteral("0012345678"));
    EXPECT_EQ(TestRegister().Tables().Value(18, 1, 1), QVariant(QStringLiteral("0012345678")));
    Driver().setSerialNumber(QStringLiteral("12AB"));
    EXPECT_EQ(Driver().SetSerialNumber(), OrvekResult::BadParameter);
    Driver().setSerialNumber(QStringLiteral("777"));
    EXPECT_EQ(Driver().SetSerialNumber(), OrvekResult::WrongMode);
}

TEST_F(RegisterTest, ModelParametersByNumberAndByIndex)
{
    struct Case {
        int Number;
        QVariant Value;
    } cases[] = {
        {27, 1}, {28, false}, {31, 0}, {32, 17}, {35, true}, {40, false}, {50, true}, {51, true},
        {53, 250}, {55, 72}, {57, false}, {71, true}, {72, 18}, {73, 19}, {75, 24},
    };
    for (const Case& c : cases) {
        Driver().setModelParamNumber(c.Number);
        ASSERT_EQ(Driver().ReadModelParamValue(), 0) << c.Number;
        EXPECT_EQ(Driver().ModelParamValue(), c.Value) << c.Number;
        EXPECT_EQ(Driver().ModelParamValue().typeId(), c.Value.typeId()) << c.Number;
    }
    Driver().setModelParamNumber(999);
    EXPECT_EQ(Driver().ReadModelParamValue(), OrvekResult::BadParameter);

    ASSERT_EQ(Driver().GetDeviceMetrics(), 0);
    int count = Driver().ModelParamCount();
    for (int i = 0; i < count; ++i) {
        Driver().setModelParamIndex(i);
        ASSERT_EQ(Driver().ReadModelParam(), 0);
        EXPECT_FALSE(Driver().ModelParamDescription().isEmpty());
    }
    Driver().setModelParamIndex(count);
    EXPECT_EQ(Driver().ReadModelParam(), OrvekResult::BadParameter);
}

TEST_F(RegisterTest, TableWalkEndsWith93PastTheLastTableAndField)
{
    int tables = 0;
    for (int n = 1; n < 100; ++n) {
        Driver().setTableNumber(n);
        std::int32_t code = Driver().GetTableStruct();
        if (code != 0) {
            EXPECT_EQ(code, OrvekResult::BadTableField);
            break;
        }
        ++tables;
        int rows = Driver().RowNumber(), fields = Driver().FieldNumber();
        EXPECT_GE(rows, 1);
        EXPECT_FALSE(Driver().TableName().isEmpty());
        Driver().setFieldNumber(fields);
        ASSERT_EQ(Driver().GetFieldStruct(), 0);
        Driver().setFieldNumber(fields + 1);
        EXPECT_EQ(Driver().GetFieldStruct(), OrvekResult::BadTableField);
        Driver().setRowNumber(rows + 1);
        Driver().setFieldNumber(1);
        EXPECT_EQ(Driver().ReadTable(), OrvekResult::BadTableField);
    }
    EXPECT_EQ(tables, TestRegister().Tables().Count());
    EXPECT_GE(tables, 24);
}

TEST_F(RegisterTest, TableFieldsReadAndWriteWithinTheirLimits)
{
    auto read = [](int t, int r, int f) {
        Driver().setTableNumber(t);
        Driver().setRowNumber(r);
        Driver().setFieldNumber(f);
        return Driver().ReadTable();
    };
    auto write = [](int t, int r, int f, const QVariant& v) {
        Driver().setTableNumber(t);
        Driver().setRowNumber(r);
        Driver().setFieldNumber(f);
        if (v.typeId() == QMetaType::QString)
            Driver().setValueOfFieldString(v.toString());
        else
            Driver().setValueOfFieldInteger(v.toInt());
        return Driver().WriteTable();
    };
    // An integer field.
    ASSERT_EQ(write(17, 1, 12, 0x1234), 0);
    ASSERT_EQ(read(17, 1, 12), 0);
    EXPECT_EQ(Driver().ValueOfFieldInteger(), 0x1234);
    EXPECT_EQ(Driver().ValueOfFieldString(), QStringLiteral("4660"));
    Driver().setFieldNumber(12);
    ASSERT_EQ(Driver().GetFieldStruct(), 0);
    EXPECT_FALSE(Driver().FieldType());
    EXPECT_EQ(write(1, 1, 1, 100), OrvekResult::BadParameter);  // above its maximum 99

    // A string field.
    ASSERT_EQ(write(18, 1, 9, QStringLiteral("г. Москва, ул. Тверская, 1")), 0);
    ASSERT_EQ(read(18, 1, 9), 0);
    EXPECT_EQ(Driver().ValueOfFieldString(), QStringLiteral("г. Москва, ул. Тверская, 1"));
    Driver().setFieldNumber(9);
    ASSERT_EQ(Driver().GetFieldStruct(), 0);
    EXPECT_TRUE(Driver().FieldType());
    EXPECT_EQ(write(18, 1, 12, QString(13, QLatin1Char('7'))), OrvekResult::BadParameter);  // INN of 12

    // Passwords sit in table 2; a new one takes effect at once.
    ASSERT_EQ(write(2, 3, 1, 333), 0);
    Driver().setPassword(3);
    EXPECT_EQ(Driver().GetShortECRStatus(), OrvekResult::BadPassword);
    Driver().setPassword(333);
    EXPECT_EQ(Driver().GetShortECRStatus(), 0);
    EXPECT_EQ(Driver().OperatorNumber(), 3);

    Driver().setPassword(30);
    Driver().setTableNumber(17);
    ASSERT_EQ(Driver().InitTable(), 0);
    ASSERT_EQ(read(17, 1, 12), 0);
    EXPECT_EQ(Driver().ValueOfFieldInteger(), 0);
}

TEST_F(RegisterTest, PaperKeepsEverythingPrintedInOrder)
{
    EmulatedRegister& r = TestRegister();
    Driver().setStringForPrinting(QString(60, QLatin1Char('a')));
    ASSERT_EQ(Driver().PrintString(), 0);  // cut at the 48 characters of font 1
    Driver().setFontType(3);
    Driver().setStringForPrinting(QStringLiteral("Шрифт 3"));
    ASSERT_EQ(Driver().PrintStringWithFont(), 0);
    Driver().setFontType(99);
    EXPECT_EQ(Driver().PrintStringWithFont(), OrvekResult::BadParameter);
    Driver().setFontType(1);
    Driver().setStringForPrinting(QStringLiteral("один\r\nдва\n") + QString(50, QLatin1Char('b')));
    ASSERT_EQ(Driver().PrintStringWithWrap(), 0);
    Driver().setStringQuantity(3);
    ASSERT_EQ(Driver().FeedDocument(), 0);
    Driver().setLineData(AnsiToWide(QByteArray("\xFF\x00\x81", 3)));  // one character per byte
    Driver().setLineNumber(2);
    ASSERT_EQ(Driver().PrintLine(), 0);
    Driver().setBarCode(QStringLiteral("4600000000001"));
    Driver().setBarcodeType(0);
    ASSERT_EQ(Driver().PrintBarCode(), 0);
    Driver().setCutType(true);
    ASSERT_EQ(Driver().CutCheck(), 0);

    std::vector<PaperKind> kinds;
    for (const PaperItem& item : r.Paper().Items())
        kinds.push_back(item.Kind);
    using K = PaperKind;
    EXPECT_EQ(kinds, (std::vector<K>{K::Text, K::Text, K::Text, K::Text, K::Text, K::Text, K::Feed, K::Graphics,
                                      K::Graphics, K::Barcode, K::Cut}));
    EXPECT_EQ(r.Paper().Texts(), (QStringList{QString(48, QLatin1Char('a')), QStringLiteral("Шрифт 3"),
                                              QStringLiteral("один"), QStringLiteral("два"), QString(48, QLatin1Char('b')),
                                              QStringLiteral("bb")}));
    EXPECT_EQ(r.Paper().Items()[1].Font, 3);
    EXPECT_EQ(r.Paper().ItemsOf(K::Graphics)[0].Data, QByteArray("\xFF\x00\x81", 3));
    EXPECT_EQ(r.Paper().ItemsOf(K::Barcode)[0].Text, QStringLiteral("4600000000001"));
    EXPECT_EQ(r.Paper().ItemsOf(K::Cut)[0].Param, 1);
}

TEST_F(RegisterTest, FontMetricsPerFont)
{
    RegisterPrinter& p = TestRegister().Area<RegisterPrinter>();
    for (int font = 1; font <= int(p.Fonts.size()); ++font) {
        Driver().setFontType(font);
        ASSERT_EQ(Driver().GetFontMetrics(), 0);
        EXPECT_EQ(Driver().PrintWidth(), 576);
        EXPECT_EQ(Driver().CharWidth(), p.Fonts[std::size_t(font - 1)].CharWidth);
        EXPECT_EQ(Driver().FontCount(), int(p.Fonts.size()));
    }
    Driver().setFontType(0);
    EXPECT_EQ(Driver().GetFontMetrics(), OrvekResult::BadParameter);
}
