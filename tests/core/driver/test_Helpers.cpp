// The driver object's helpers against the emulated register: tables, model
// parameters, tags, amounts, wrapped printing, raw commands, code tables.
#include "tests/DriverTestSupport.h"

#include "core/binding/BusyRetry.h"
#include "core/driver/PrinterTypes.h"
#include "core/support/CodePage.h"
#include "core/support/Format.h"
#include "platform/Exceptions.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterPrinter.h"
#include "emulator/RegisterTags.h"

#include <QTimer>
#include <utility>

using M = OrvekMethod;

namespace {
class HelperTest : public DriverTest {
protected:
    void SetUp() override
    {
        DriverTest::SetUp();
        FSleeps.clear();
        SetPause([this](int ms) { FSleeps.push_back(ms); });
    }
    void TearDown() override
    {
        SetPause(nullptr);
        DriverTest::TearDown();
    }
    EmulatedRegister& Reg() { return TestRegister(); }
    // A printer whose font 2 has 40 characters a line.
    void FortyCharacterFont()
    {
        RegisterPrinter& p = Reg().Area<RegisterPrinter>();
        p.PrintWidth = 480;
        p.Fonts[1].CharWidth = 12;
    }

    std::vector<int> FSleeps;
};
} // namespace

TEST_F(HelperTest, LogicalTablesMapThroughModelParametersOnlyWhereSaid)
{
    Reg().ModelParams().Set(72, 13);
    Reg().ModelParams().Set(73, 19);
    Reg().Tables().SetValue(13, 1, 21, 7);
    Reg().Tables().SetValue(18, 1, 21, 3);

    EXPECT_EQ(Driver().CorrectTableNumber(18), 13);
    EXPECT_EQ(Driver().CorrectTableNumber(19), 19);
    Reg().ClearJournal();
    EXPECT_EQ(Driver().CorrectTableNumber(17), 17);
    EXPECT_EQ(Reg().CallCount(M::ReadModelParamValue), 0);  // 17 asks nothing

    EXPECT_EQ(Driver().ReadTableInt(18, 1, 21), 7);        // mapped to 13
    EXPECT_EQ(Driver().ReadTableDef(18, 1, 21, -1), 3);    // as given
    Driver().WriteTableInt(18, 1, 21, 5);                   // as given
    EXPECT_EQ(Reg().Tables().Value(18, 1, 21), QVariant(5));
    EXPECT_EQ(Reg().Tables().Value(13, 1, 21), QVariant(7));

    Reg().Tables().SetValue(13, 1, 1, 0);
    Reg().ModelParams().Set(72, 18);
    Reg().Tables().SetValue(18, 1, 9, QStringLiteral("Адрес №1"));
    EXPECT_EQ(Driver().ReadTableStr(18, 1, 9), WideToAnsi(QStringLiteral("Адрес №1")));
}

TEST_F(HelperTest, FailedTableReadsGiveTheDefaultOrTheSilentAbort)
{
    EXPECT_EQ(Driver().ReadTableDef(17, 1, 500, 5), 5);
    EXPECT_EQ(Driver().ResultCode(), OrvekResult::BadTableField);
    EXPECT_THROW(Driver().ReadTableInt(17, 1, 500), EAbort);
    Reg().Faults().FailNext(M::ReadTable, 80);
    EXPECT_EQ(Driver().ReadTableDef(17, 1, 17, 5), 5);
    EXPECT_THROW(Driver().WriteTableInt(1, 1, 1, 1000), EAbort);  // beyond the field's limits
    Reg().Faults().FailNext(M::ReadModelParamValue, 80);
    EXPECT_THROW(Driver().ReadTableInt(18, 1, 1), EAbort);        // the mapping fails
}

TEST_F(HelperTest, ModelParameterReads)
{
    Reg().ModelParams().Set(90, QStringLiteral("12"));
    Reg().ModelParams().Set(91, QStringLiteral("A.1"));
    EXPECT_EQ(Driver().ReadIntParam(90), 12);
    EXPECT_EQ(Driver().ReadIntParam(53), 250);
    for (const auto& [param, text] : {std::pair{91, "A.1"}, std::pair{71, "True"}}) {   // 71: a boolean
        try {
            Driver().ReadIntParam(param);
            ADD_FAILURE() << param;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("\"%1\" не является целым числом").arg(text));
        }
    }
    EXPECT_TRUE(Driver().ReadBoolParam(71));
    EXPECT_FALSE(Driver().ReadBoolParam(57));
    EXPECT_THROW(Driver().ReadIntParam(999), EAbort);        // the register does not know it
    Reg().Faults().FailNext(M::ReadModelParamValue, -1);
    EXPECT_THROW(Driver().CapFN(), EAbort);

    // Every named accessor reads its parameter afresh: three calls into the driver.
#define CHECK_PARAM(Number, Name, Kind)                                                          \
    {                                                                                            \
        Reg().ClearJournal();                                                                    \
        const ModelParam* p = Reg().ModelParams().Find(Number);                                  \
        ASSERT_NE(p, nullptr) << #Name;                                                          \
        if (std::string_view(#Kind) == "Bool")                                                   \
            EXPECT_EQ(QVariant(Driver().Name()).toBool(), p->Value.toBool()) << #Name;           \
        else                                                                                     \
            EXPECT_EQ(QVariant(Driver().Name()).toInt(), p->Value.toInt()) << #Name;             \
        EXPECT_EQ(Reg().CallCount(M::ReadModelParamValue), 1) << #Name;                          \
    }
    TDRIVER_MODEL_PARAMS(CHECK_PARAM)
#undef CHECK_PARAM
}

TEST_F(HelperTest, ModelTypeTwoByModelId)
{
    const int typeTwo[] = {16, 19, 20, 21, 27, 28, 29, 30, 32, 33, 34, 35, 36, 38, 39, 40, 41, 42, 45, 46};
    for (int id = 0; id <= 260; ++id) {
        Reg().ModelParams().Set(32, id);
        bool expected = std::find(std::begin(typeTwo), std::end(typeTwo), id) != std::end(typeTwo);
        EXPECT_EQ(Driver().IsModelType2(), expected) << id;
    }
}

TEST_F(HelperTest, AmountsWithAndWithoutDecimalPoint)
{
    Driver().setPointPosition(false);
    EXPECT_EQ(Driver().AmountToStr(129900), QStringLiteral("12"));
    EXPECT_EQ(Driver().AmountToStr(-129900), QStringLiteral("-12"));
    EXPECT_EQ(Driver().AmountToStr(0), QStringLiteral("0"));
    Driver().setPointPosition(true);
    EXPECT_EQ(Driver().AmountToStr(125000), QStringLiteral("12") + DecimalSeparator() + QStringLiteral("50"));
    EXPECT_EQ(Driver().AmountToStr(-100), QStringLiteral("-0") + DecimalSeparator() + QStringLiteral("01"));
}

TEST_F(HelperTest, PrintStringWidthUnderTheAdministratorsPassword)
{
    Driver().setPassword(1);
    EXPECT_EQ(Driver().GetPrintStringWidth(1), 48);  // 576 / 12
    EXPECT_EQ(Driver().OperatorNumber(), 30);        // asked as the system administrator
    EXPECT_EQ(Driver().Password(), 1);

    RegisterPrinter& p = Reg().Area<RegisterPrinter>();
    p.Fonts[2].CharWidth = 0;
    EXPECT_EQ(Driver().GetPrintStringWidth(3), 40);
    p.Fonts[2].CharWidth = 7;
    EXPECT_EQ(Driver().GetPrintStringWidth(3), 82);  // 576 / 7 truncated

    Reg().Faults().FailNext(M::GetFontMetrics, 80);
    EXPECT_THROW(Driver().GetPrintStringWidth(1), EAbort);
    EXPECT_EQ(Driver().Password(), 1);
    EXPECT_THROW(Driver().GetPrintStringWidth(99), EAbort);
    EXPECT_EQ(Driver().Password(), 1);
}

TEST_F(HelperTest, PrintTextWrapsEachLineToTheFontsWidth)
{
    FortyCharacterFont();
    QString line(100, QLatin1Char('x'));
    Driver().PrintText(line + QStringLiteral("\r\n\nlast\n"), 2);
    EXPECT_EQ(Reg().Paper().Texts(), (QStringList{QString(40, QLatin1Char('x')), QString(40, QLatin1Char('x')),
                                                  QString(20, QLatin1Char('x')), QString(), QStringLiteral("last")}));
    for (const PaperItem& item : Reg().Paper().Items())
        EXPECT_EQ(item.Font, 2);
    EXPECT_TRUE(FSleeps.empty());

    Reg().Paper().Clear();
    Driver().PrintText(QStringLiteral("a\rb"), 2);
    Driver().PrintText(QString(), 2);  // an empty text prints nothing
    EXPECT_EQ(Reg().Paper().Texts(), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));

    // Font 0: the driver wraps the whole text in one call.
    Reg().Paper().Clear();
    Reg().ClearJournal();
    Driver().PrintText(QStringLiteral("one\ntwo\nthree"), 0);
    EXPECT_EQ(Reg().CallCount(M::PrintStringWithWrap), 1);
    EXPECT_EQ(Reg().CallCount(M::PrintStringWithFont), 0);
    EXPECT_EQ(Reg().Paper().Texts().size(), 3);
}

TEST_F(HelperTest, PrintTextRetriesABusyRegisterFiveTimesAPiece)
{
    FortyCharacterFont();
    Reg().Faults().FailNext(M::PrintStringWithFont, 80, 4);
    Driver().PrintText(QStringLiteral("first"), 2);
    EXPECT_EQ(Reg().CallCount(M::PrintStringWithFont), 5);
    EXPECT_EQ(FSleeps, (std::vector<int>{50, 50, 50, 50}));
    EXPECT_EQ(Reg().Paper().Texts(), QStringList{QStringLiteral("first")});

    // Each piece has its own tries.
    FSleeps.clear();
    Reg().Paper().Clear();
    Reg().Faults().FailNext(M::PrintStringWithFont, 75, 3);
    Reg().Faults().FailOnCall(M::PrintStringWithFont, 5, 80);
    Driver().PrintText(QString(80, QLatin1Char('y')), 2);
    EXPECT_EQ(FSleeps.size(), 4u);
    EXPECT_EQ(Reg().Paper().Texts().size(), 2);

    // Five busy answers end PrintText silently; later lines are not printed.
    FSleeps.clear();
    Reg().Paper().Clear();
    Reg().Faults().FailNext(M::PrintStringWithFont, 80, 5);
    EXPECT_THROW(Driver().PrintText(QStringLiteral("busy\nnever"), 2), EAbort);
    EXPECT_EQ(FSleeps.size(), 5u);
    EXPECT_EQ(Driver().ResultCode(), 80);
    EXPECT_TRUE(Reg().Paper().Texts().isEmpty());

    // Any other error ends it at once.
    FSleeps.clear();
    Reg().SetFlag(EcrFlag::ReceiptRibbonIsPresent, false);
    EXPECT_THROW(Driver().PrintText(QStringLiteral("no paper"), 2), EAbort);
    EXPECT_EQ(Driver().ResultCode(), OrvekResult::NoPaper);
    EXPECT_TRUE(FSleeps.empty());
}

TEST_F(HelperTest, PrintTextPausesWithTheWindowsPainting)
{
    SetPause(nullptr);  // the programs' pause
    FortyCharacterFont();
    Reg().Faults().FailNext(M::PrintStringWithFont, 80, 1);
    bool eventsRan = false;
    QTimer::singleShot(0, [&] { eventsRan = true; });
    Driver().PrintText(QStringLiteral("first"), 2);
    EXPECT_TRUE(eventsRan);
    EXPECT_EQ(Reg().Paper().Texts(), QStringList{QStringLiteral("first")});
}

TEST_F(HelperTest, PrintTextWithAWidthOfZeroPrintsTheLineWhole)
{
    // A font wider than the printable width: 8 / 12 gives 0 characters.
    RegisterPrinter& p = Reg().Area<RegisterPrinter>();
    p.PrintWidth = 8;
    ASSERT_EQ(Driver().GetPrintStringWidth(1), 0);
    Driver().PrintText(QStringLiteral("whole line\nsecond"), 1);
    EXPECT_EQ(Reg().Paper().Texts(), (QStringList{QStringLiteral("whole line"), QStringLiteral("second")}));
}

TEST_F(HelperTest, RawCommandsTravelAsHexText)
{
    const QByteArray bytes("\x01\x1F\xA0", 3);
    EXPECT_EQ(Driver().SendCommand(bytes), 55);  // the emulated register does not know command 01
    EXPECT_EQ(Driver().BinaryConversion(), 1);
    EXPECT_TRUE(Driver().ECRInput().startsWith(QStringLiteral("02 03 01 1F A0 ")));
    EXPECT_TRUE(Driver().ResultCodeDescription().contains(QStringLiteral("01")));

    QByteArray answer;
    EXPECT_EQ(Driver().SendCommand(bytes, answer), 55);
    EXPECT_EQ(answer, QByteArray("\x01\x37", 2));  // filled even after a failure

    EXPECT_EQ(Driver().SendCommand(QByteArray::fromHex("FC"), answer), 0);
    EXPECT_TRUE(answer.startsWith(QByteArray::fromHex("FC00")));
    EXPECT_TRUE(answer.endsWith(WideToAnsi(Reg().Config().Description)));
}

TEST_F(HelperTest, TagsAndCompositesReachTheFN)
{
    // A receipt with an item to bind the operation tags to.
    Driver().setPrice(100 * 10000);
    Driver().setQuantity(1);
    Driver().setDepartment(1);
    ASSERT_EQ(Driver().Sale(), 0);
    QDateTime when(QDate(2024, 3, 1), QTime(10, 30, 0));
    Driver().BeginSTLVTag(1223);
    Driver().AddTagStr(1005, QStringLiteral("ООО Ромашка"));
    Driver().AddTagByte(1222, 2);
    Driver().AddTagVLN(1082, QStringLiteral("1050"));
    Driver().AddTagUnixTime(1178, QDateTimeToDateTime(when));
    Driver().SendSTLVTagOperation(1223);
    Driver().SendTagStr(1021, QStringLiteral("Кассир Иванов"));
    Driver().SendTagStrOperation(1226, QStringLiteral("7700000000"));
    Driver().SendTagUnixTime(1178, QDateTimeToDateTime(when));
    Driver().SendTagUnixTimeOperation(1178, QDateTimeToDateTime(when));
    Driver().BeginSTLVTag(1174);
    Driver().AddTagStr(1177, QStringLiteral("Основание"));
    Driver().SendSTLVTag(1174);

    const auto& sent = Reg().Area<RegisterTags>().Sent;
    ASSERT_EQ(sent.size(), 6u);
    const FNTag& agent = sent[0];
    EXPECT_EQ(agent.Number, 1223);
    EXPECT_TRUE(agent.Operation);
    ASSERT_EQ(agent.Items.size(), 4u);
    EXPECT_EQ(agent.Items[0].Text(), QStringLiteral("ООО Ромашка"));
    EXPECT_EQ(agent.Items[0].Type, 7);
    EXPECT_EQ(agent.Items[1].Value, QByteArray(1, '\x02'));
    EXPECT_EQ(agent.Items[2].Integer(), 1050u);
    quint64 seconds = quint64(QDateTime(when.date(), when.time(), Qt::UTC).toSecsSinceEpoch());
    EXPECT_EQ(agent.Items[3].Integer(), seconds);
    QByteArray items;
    for (const FNTag& t : agent.Items)
        items += t.Tlv();
    EXPECT_EQ(agent.Value, items);
    EXPECT_EQ(agent.Tlv().left(4), QByteArray::fromHex("C704") + char(items.size()) + char(0));

    EXPECT_EQ(sent[1].Text(), QStringLiteral("Кассир Иванов"));
    EXPECT_FALSE(sent[1].Operation);
    EXPECT_TRUE(sent[2].Operation);
    EXPECT_EQ(sent[3].Integer(), seconds);
    EXPECT_FALSE(sent[3].Operation);
    EXPECT_TRUE(sent[4].Operation);
    EXPECT_EQ(sent[5].Number, 1174);
    EXPECT_FALSE(sent[5].Operation);

    // A tag added with no composite begun, or a composite sent under another number, is refused.
    EXPECT_THROW(Driver().AddTagStr(1005, QStringLiteral("x")), EAbort);
    Driver().BeginSTLVTag(1224);
    EXPECT_THROW(Driver().SendSTLVTag(1223), EAbort);
    EXPECT_EQ(Reg().Area<RegisterTags>().Sent.size(), 6u);
}

TEST_F(HelperTest, TagsNeedADocumentAndOperationTagsAnItem)
{
    // No document being built: refused.
    EXPECT_THROW(Driver().SendTagStr(1021, QStringLiteral("Кассир")), EAbort);
    EXPECT_EQ(Driver().ResultCode(), 2);
    // A receipt without an item takes document tags, not item tags.
    ASSERT_EQ(Driver().OpenCheck(), 0);
    Driver().SendTagStr(1021, QStringLiteral("Кассир"));
    EXPECT_THROW(Driver().SendTagStrOperation(1226, QStringLiteral("7700000000")), EAbort);
    EXPECT_EQ(Driver().ResultCode(), 2);
    Driver().BeginSTLVTag(1224);
    Driver().AddTagStr(1171, QStringLiteral("+71111111111"));
    EXPECT_THROW(Driver().SendSTLVTagOperation(1224), EAbort);
    // An empty composite, and a send with none open, are refused.
    Driver().BeginSTLVTag(1223);
    EXPECT_THROW(Driver().SendSTLVTag(1223), EAbort);
    EXPECT_EQ(Driver().ResultCode(), 9);
    Driver().AddTagStr(1005, QStringLiteral("Адрес"));
    Driver().SendSTLVTag(1223);
    EXPECT_THROW(Driver().SendSTLVTag(1223), EAbort);
    EXPECT_EQ(Driver().ResultCode(), 2);
    const auto& sent = Reg().Area<RegisterTags>().Sent;
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].Number, 1021);
    EXPECT_EQ(sent[1].Number, 1223);
}

TEST(PrinterTypes, CodeTables)
{
    struct Case {
        QString (*Function)(std::int32_t);
        std::int32_t Code;
        const char* Text;
    } cases[] = {
        {&FNFindDocumentTypeToStr, 0, "Нет открытого документа"},
        {&FNFindDocumentTypeToStr, 3, "Кассовый чек"},
        {&FNFindDocumentTypeToStr, 4, "Бланк строгой отчетности"},
        {&FNFindDocumentTypeToStr, 41, "Бланк строгой отчетности"},
        {&FNFindDocumentTypeToStr, 21, "Отчет о текущем состоянии расчетов"},
        {&FNFindDocumentTypeToStr, 31, "Кассовый чек коррекции"},
        {&FNFindDocumentTypeToStr, 8, "Неизвестный тип документа"},
        {&FNStatusDocumentTypeToStr, 4, "Кассовый чек"},
        {&FNStatusDocumentTypeToStr, 3, "Неизвестный тип документа"},
        {&FNStatusDocumentTypeToStr, 18, "Отчет об изменении параметров регистрации в связи с заменой ФН"},
        {&FNStatusDocumentTypeToStr, 23, "Отчет о текущем состоянии расчетов"},
        {&FNStatusDocumentTypeToStr, -1, "Неизвестный тип документа"},
        {&GetFNErrorDescription, 1, "Неизвестная команда, неверный формат посылки или неизвестные параметры"},
        {&GetFNErrorDescription, 33, "Нет связи с ФН. Фатальная ошибка !!!"},
        {&GetFNErrorDescription, 160, "Запрещена работа с маркированным товарами"},
        {&GetFNErrorDescription, 172, "В реквизите 2007 содержится КМ, который ранее не проверялся в ФН"},
        {&GetFNErrorDescription, 15, "Неизвестный код ошибки"},
        {&GetFNErrorDescription, 0, "Неизвестный код ошибки"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.Function(c.Code), QString::fromUtf8(c.Text)) << c.Code;
}
