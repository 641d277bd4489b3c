// Text documents of the emulated register: the non-fiscal document, titles,
// cliche and trailer, attributes, the print buffer, the test run, the
// control tape, the port lock, and the call trace.
#include "tests/DriverTestSupport.h"
#include "tests/TestSupport.h"

#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterPrinter.h"
#include "emulator/RegisterReceipt.h"
#include "emulator/RegisterTextPrint.h"

using M = OrvekMethod;

namespace {
class TextPrintTest : public DriverTest {
protected:
    void SetUp() override
    {
        DriverTest::SetUp();
        ASSERT_EQ(Driver().Connect(), 0);
        Paper().Clear();
    }
    EmulatedRegister& Reg() { return TestRegister(); }
    RegisterPaper& Paper() { return TestRegister().Paper(); }
    void Print(const QString& text, int font = 1)
    {
        Driver().setStringForPrinting(text);
        Driver().setFontType(font);
        ASSERT_EQ(Driver().PrintStringWithFont(), 0);
    }
    QString BufferLine(int number, int format)
    {
        Driver().setLineNumber(number);
        Driver().setPrintBufferFormat(format);
        EXPECT_EQ(Driver().ReadPrintBufferLine(), 0);
        return Driver().StringForPrinting();
    }
};
} // namespace

TEST_F(TextPrintTest, NonfiscalDocumentOpensClosesAndIsRefusedInAReceipt)
{
    ASSERT_EQ(Driver().OpenNonfiscalDocument(), 0);
    ASSERT_EQ(Driver().GetECRStatus(), 0);
    EXPECT_EQ(Driver().ECRMode(), 8);
    EXPECT_EQ(Driver().ECRModeStatus(), 4);
    EXPECT_EQ(Driver().OpenNonfiscalDocument(), OrvekResult::WrongMode);
    ASSERT_EQ(Driver().CloseNonFiscalDocument(), 0);
    EXPECT_EQ(Driver().CloseNonFiscalDocument(), OrvekResult::WrongMode);
    ASSERT_EQ(Driver().GetECRStatus(), 0);
    EXPECT_EQ(Driver().ECRMode(), 4);
    EXPECT_EQ(Paper().Texts(), (QStringList{"НЕФИСКАЛЬНЫЙ ДОКУМЕНТ", "ДОК. 1"}));

    Driver().setCheckType(0);
    ASSERT_EQ(Driver().OpenCheck(), 0);
    EXPECT_EQ(Driver().OpenNonfiscalDocument(), OrvekResult::ReceiptOpen);
}

TEST_F(TextPrintTest, TitlesTakeRunningNumbersAndDocumentsEndWithOrWithoutTheTrailer)
{
    Driver().setDocumentName(QStringLiteral("Накладная"));
    Driver().setDocumentNumber(7);
    ASSERT_EQ(Driver().PrintDocumentTitle(), 0);
    EXPECT_EQ(Driver().OpenDocumentNumber(), 1);
    ASSERT_EQ(Driver().PrintDocumentTitle(), 0);
    EXPECT_EQ(Driver().OpenDocumentNumber(), 2);
    EXPECT_EQ(Paper().Texts().mid(0, 2), (QStringList{"Накладная", "№ 7  СКВ. № 1"}));
    Driver().setDocumentNumber(10000);
    EXPECT_EQ(Driver().PrintDocumentTitle(), OrvekResult::BadParameter);

    // The texts come from table 4: the trailer rows, then the cliche.
    Reg().Tables().SetValue(4, 2, 1, QStringLiteral("ЖДЕМ ВАС СНОВА"));
    Paper().Clear();
    ASSERT_EQ(Driver().PrintTrailer(), 0);
    EXPECT_EQ(Paper().Texts(), (QStringList{"СПАСИБО ЗА ПОКУПКУ!", "ЖДЕМ ВАС СНОВА"}));
    Paper().Clear();
    ASSERT_EQ(Driver().PrintCliche(), 0);
    const QStringList cliche{"ООО \"ЭМУЛЯТОР\"", "г. Москва, ул. Тестовая, 1"};
    EXPECT_EQ(Paper().Texts(), cliche);

    Paper().Clear();
    Driver().setFinishDocumentMode(1);
    ASSERT_EQ(Driver().FinishDocument(), 0);
    EXPECT_EQ(Paper().Texts(), (QStringList{"СПАСИБО ЗА ПОКУПКУ!", "ЖДЕМ ВАС СНОВА"} + cliche));
    EXPECT_EQ(Paper().ItemsOf(PaperKind::Cut).size(), 1u);
    Paper().Clear();
    Driver().setFinishDocumentMode(0);
    ASSERT_EQ(Driver().FinishDocument(), 0);
    EXPECT_EQ(Paper().Texts(), cliche);
    Driver().setFinishDocumentMode(2);
    EXPECT_EQ(Driver().FinishDocument(), OrvekResult::BadParameter);
}

TEST_F(TextPrintTest, AttributesFrom0To255)
{
    const std::pair<int, std::int32_t> cases[] = {{0, 0}, {255, 0}, {256, OrvekResult::BadParameter},
                                                  {-1, OrvekResult::BadParameter}};
    for (const auto& [number, code] : cases) {
        Driver().setAttributeNumber(number);
        Driver().setAttributeValue(QStringLiteral("v%1").arg(number));
        EXPECT_EQ(Driver().PrintAttribute(), code) << number;
    }
    ASSERT_EQ(Paper().Items().size(), 2u);
    EXPECT_EQ(Paper().Items()[1].Text, QStringLiteral("v255"));
    EXPECT_EQ(Paper().Items()[1].Param, 255);
}

// A line longer than the print width is cut there, or with CarryStrings
// carried whole onto further lines of that width.
TEST_F(TextPrintTest, LongLineIsCarriedOrCut)
{
    const int width = Reg().Area<RegisterPrinter>().CharsPerLine(1);
    ASSERT_GT(width, 0);
    QString line;
    for (int i = 0; i < width + width / 3; ++i)
        line += QChar('a' + i % 26);
    struct Case {
        std::int32_t (TOrvek::*Method)();
        int Width;
    } cases[] = {{&TOrvek::PrintString, width}, {&TOrvek::PrintWideString, width / 2},
                 {&TOrvek::PrintStringWithFont, width}};
    for (const Case& c : cases)
        for (bool carry : {true, false}) {
            Paper().Clear();
            Driver().setFontType(1);
            Driver().setCarryStrings(carry);
            Driver().setStringForPrinting(line);
            ASSERT_EQ((Driver().*c.Method)(), 0);
            QStringList expected;
            for (int from = 0; from < (carry ? line.size() : 1); from += c.Width)
                expected << line.mid(from, c.Width);
            EXPECT_EQ(Paper().Texts(), expected) << c.Width << " " << carry;
        }
}

TEST_F(TextPrintTest, PrintBufferHoldsWhatWasPrintedInThreeFormats)
{
    Print(QStringLiteral("первая"));
    Print(QStringLiteral("вторая"), 2);
    Driver().setDocumentName(QStringLiteral("Заголовок"));
    Driver().setDocumentNumber(1);
    ASSERT_EQ(Driver().PrintDocumentTitle(), 0);
    ASSERT_EQ(Driver().ReadPrintBufferLineNumber(), 0);
    EXPECT_EQ(Driver().PrintBufferLineNumber(), 4);
    EXPECT_EQ(Driver().LineNumber(), 4);

    EXPECT_EQ(BufferLine(0, 1), QStringLiteral("первая"));
    EXPECT_EQ(BufferLine(2, 1), QStringLiteral("Заголовок"));
    EXPECT_EQ(BufferLine(1, 0), QStringLiteral("\x1b" "2вторая"));
    const int width = Reg().Area<RegisterPrinter>().CharsPerLine(2);
    EXPECT_EQ(BufferLine(1, 2), QStringLiteral("<1B>2вторая") + QString(width - 6, QLatin1Char(' ')));

    // Past the last line, or a format that does not exist.
    Driver().setLineNumber(4);
    EXPECT_EQ(Driver().ReadPrintBufferLine(), OrvekResult::BadParameter);
    Driver().setLineNumber(0);
    Driver().setPrintBufferFormat(3);
    EXPECT_EQ(Driver().ReadPrintBufferLine(), OrvekResult::BadParameter);

    ASSERT_EQ(Driver().ClearPrintBuffer(), 0);
    ASSERT_EQ(Driver().ReadPrintBufferLineNumber(), 0);
    EXPECT_EQ(Driver().PrintBufferLineNumber(), 0);
    Print(QStringLiteral("после"));
    EXPECT_EQ(BufferLine(0, 1), QStringLiteral("после"));
}

TEST_F(TextPrintTest, PrintBufferKeepsItsLatestLines)
{
    for (int i = 0; i < RegisterTextPrint::BufferCapacity + 5; ++i)
        Paper().AddText(QString::number(i));
    ASSERT_EQ(Driver().ReadPrintBufferLineNumber(), 0);
    EXPECT_EQ(Driver().PrintBufferLineNumber(), RegisterTextPrint::BufferCapacity);
    EXPECT_EQ(Driver().LineNumber(), RegisterTextPrint::BufferCapacity + 5);
    EXPECT_EQ(BufferLine(0, 1), QStringLiteral("5"));
}

TEST_F(TextPrintTest, TestRunLastsItsMinutesOnTheRegisterClockOrUntilInterrupted)
{
    Driver().setRunningPeriod(2);
    ASSERT_EQ(Driver().Test(), 0);
    ASSERT_EQ(Driver().GetECRStatus(), 0);
    EXPECT_EQ(Driver().ECRMode(), 10);
    EXPECT_EQ(Driver().ECRModeDescription(), QStringLiteral("Тестовый прогон"));
    EXPECT_EQ(Driver().Test(), OrvekResult::WrongMode);

    Reg().SetNow(Reg().Now().addSecs(119));
    ASSERT_EQ(Driver().GetECRStatus(), 0);
    EXPECT_EQ(Driver().ECRMode(), 10);
    Reg().SetNow(Reg().Now().addSecs(2));
    ASSERT_EQ(Driver().GetECRStatus(), 0);
    EXPECT_EQ(Driver().ECRMode(), 4);

    ASSERT_EQ(Driver().Test(), 0);
    ASSERT_EQ(Driver().InterruptTest(), 0);
    ASSERT_EQ(Driver().GetECRStatus(), 0);
    EXPECT_EQ(Driver().ECRMode(), 4);
    EXPECT_EQ(Paper().Texts().last(), QStringLiteral("ТЕСТОВЫЙ ПРОГОН ПРЕРВАН"));

    Driver().setRunningPeriod(0);
    EXPECT_EQ(Driver().Test(), OrvekResult::BadParameter);
}

TEST_F(TextPrintTest, ControlTapePrintsTheJournalLinesAndClears)
{
    Driver().setUseReceiptRibbon(true);
    Driver().setUseJournalRibbon(true);
    Driver().setStringForPrinting(QStringLiteral("на ленте"));
    ASSERT_EQ(Driver().PrintString(), 0);
    Driver().setUseJournalRibbon(false);
    Driver().setStringForPrinting(QStringLiteral("только чек"));
    ASSERT_EQ(Driver().PrintString(), 0);

    // The control tape is made of the paper's journal lines.
    const auto printJournal = [this] {
        const qsizetype before = Paper().Texts().size();
        Driver().setOperationType(0);
        EXPECT_EQ(Driver().JournalOperation(), 0);
        return Paper().Texts().mid(before);
    };
    EXPECT_EQ(printJournal(), (QStringList{"КОНТРОЛЬНАЯ ЛЕНТА", "на ленте", "ВСЕГО СТРОК: 1"}));
    Driver().setOperationType(1);
    ASSERT_EQ(Driver().JournalOperation(), 0);
    EXPECT_EQ(printJournal(), (QStringList{"КОНТРОЛЬНАЯ ЛЕНТА", "ВСЕГО СТРОК: 0"}));
    Driver().setOperationType(2);
    EXPECT_EQ(Driver().JournalOperation(), OrvekResult::BadParameter);
}

TEST_F(TextPrintTest, NewMethodsFailOnDemandAndWithoutPaper)
{
    const M methods[] = {M::OpenNonfiscalDocument, M::PrintDocumentTitle, M::PrintCliche, M::PrintTrailer,
                         M::FinishDocument, M::PrintAttribute, M::ReadPrintBufferLineNumber,
                         M::ReadPrintBufferLine, M::ClearPrintBuffer, M::Test, M::InterruptTest,
                         M::JournalOperation, M::CloseNonFiscalDocument};
    for (M method : methods) {
        Reg().Faults().FailNext(method, 80);
        EXPECT_EQ(Driver().Invoke(method), 80) << MethodName(method);
    }
    Reg().SetFlag(EcrFlag::ReceiptRibbonIsPresent, false);
    EXPECT_EQ(Driver().PrintCliche(), OrvekResult::NoPaper);
    EXPECT_EQ(Driver().OpenNonfiscalDocument(), OrvekResult::NoPaper);
}

TEST_F(TextPrintTest, LockPortIsRefusedWhileAnotherDriverObjectHoldsIt)
{
    ASSERT_EQ(Driver().LockPort(), 0);
    TOrvek other;
    EXPECT_EQ(other.LockPort(), OrvekResult::PortBusy);
    EXPECT_EQ(other.PrintString(), OrvekResult::PortBusy);
    ASSERT_EQ(Driver().UnlockPort(), 0);
    EXPECT_EQ(other.LockPort(), 0);
    EXPECT_EQ(Driver().LockPort(), OrvekResult::PortBusy);
    other.UnlockPort();
}

TEST_F(TextPrintTest, TraceNamesEachMethodWithThePropertiesWrittenBeforeIt)
{
    TestComponent().Trace().Clear();
    Driver().setCutType(true);
    Driver().setStringQuantity(3);
    Driver().FeedDocument();
    Driver().CutCheck();
    EXPECT_EQ(TestComponent().Trace().Lines(),
              (QStringList{"FeedDocument(CutType=True, StringQuantity=3)", "CutCheck()"}));
}
