// The single-call buttons of the text printing pages: what each sends, in
// order, and which method it calls, against the emulated register.
#include "pages/receipts/fmuPrintAttribute.h"
#include "pages/receipts/fmuPrintBuffer.h"
#include "pages/receipts/fmuPrintHeader.h"
#include "pages/receipts/fmuPrintOperations.h"
#include "pages/receipts/fmuPrintText.h"
#include "emulator/OrvekResultCodes.h"
#include "tests/DriverTestSupport.h"
#include "tests/TestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <gtest/gtest.h>

using M = OrvekMethod;

namespace {
const QString Flags = QStringLiteral(
    "UseReceiptRibbon=True, UseJournalRibbon=True, UseSlipDocument=True, CarryStrings=False, DelayedPrint=False");

template <class W>
W* Control(TPage& page, const char* name)
{
    W* control = page.findChild<W*>(QLatin1String(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
}

struct CallCase {
    TPageClass Page;
    const char* Button;
    std::function<void(TPage&)> Fill;  // changes to the page's defaults, may be empty
    QString Sent;                      // the trace line
    std::int32_t Code = 0;
};

void Check(TPage& page, const char* name, bool on) { Control<QCheckBox>(page, name)->setChecked(on); }
void Select(TPage& page, const char* name, int index) { Control<QComboBox>(page, name)->setCurrentIndex(index); }
void Spin(TPage& page, const char* name, int value) { Control<QSpinBox>(page, name)->setValue(value); }

class PrintCallsTest : public DriverTest {};
} // namespace

TEST_F(PrintCallsTest, EachButtonSendsItsInputsThenCallsItsMethod)
{
    const QString text = QStringLiteral("Строка для печати");
    const CallCase cases[] = {
        {PageClass<TfmPrintText>(), "btnPrintString", {},
         "PrintString(" + Flags + ", UseSlipCheck=False, StringForPrinting=" + text + ")"},
        {PageClass<TfmPrintText>(), "btnPrintString",
         [](TPage& p) { Check(p, "chbUseJournalRibbon", false); Check(p, "chbDelayedPrint", true); Check(p, "chkUseSlipCheck", true); },
         "PrintString(UseReceiptRibbon=True, UseJournalRibbon=False, UseSlipDocument=True, CarryStrings=False, "
         "DelayedPrint=True, UseSlipCheck=True, StringForPrinting=" + text + ")"},
        {PageClass<TfmPrintText>(), "btnPrintWideString", {},
         "PrintWideString(" + Flags + ", StringForPrinting=" + text + ")"},
        {PageClass<TfmPrintText>(), "btnPrintStringWithFont", [](TPage& p) { Spin(p, "seFontType", 3); },
         "PrintStringWithFont(" + Flags + ", StringForPrinting=" + text + ", FontType=3)"},
        {PageClass<TfmPrintText>(), "btnPrintStringWithWrap", [](TPage& p) { Check(p, "chbCarryStrings", true); },
         "PrintStringWithWrap(UseReceiptRibbon=True, UseJournalRibbon=True, UseSlipDocument=True, "
         "CarryStrings=True, DelayedPrint=False, UseSlipCheck=False, StringForPrinting=" + text + ")"},
        {PageClass<TfmPrintText>(), "btnOpenNonFiscalDocument", {}, "OpenNonfiscalDocument()"},
        {PageClass<TfmPrintText>(), "btnCloseNonFiscalDocument", {}, "CloseNonFiscalDocument()"},
        {PageClass<TfmPrintHeader>(), "btnPrintDocumentTitle", [](TPage& p) { Spin(p, "seDocumentNumber", 12); },
         "PrintDocumentTitle(DocumentNumber=12, DocumentName=Заголовок документа)"},
        {PageClass<TfmPrintHeader>(), "btnPrintCliche", {}, "PrintCliche()"},
        {PageClass<TfmPrintHeader>(), "btnPrintTrailer", {}, "PrintTrailer()"},
        {PageClass<TfmPrintHeader>(), "btnFinishDocument", {}, "FinishDocument(FinishDocumentMode=1)"},
        {PageClass<TfmPrintHeader>(), "btnFinishDocument", [](TPage& p) { Check(p, "chkFinishDocumentMode", false); },
         "FinishDocument(FinishDocumentMode=0)"},
        {PageClass<TfmPrintAttribute>(), "btnPrintAttribute",
         [](TPage& p) { Control<QPlainTextEdit>(p, "memAttribute")->setPlainText(QStringLiteral("a\nb")); },
         "PrintAttribute(AttributeNumber=1, AttributeValue=a\r\nb)"},
        {PageClass<TfmPrintOperations>(), "btnFeedDocument", {},
         "FeedDocument(UseReceiptRibbon=True, UseJournalRibbon=True, UseSlipDocument=False, StringQuantity=15)"},
        {PageClass<TfmPrintOperations>(), "btnContinuePrint", {}, "ContinuePrint()", OrvekResult::WrongMode},
        {PageClass<TfmPrintOperations>(), "btnStartTechTest", [](TPage& p) { Spin(p, "sePeriod", 5); },
         "Test(RunningPeriod=5)"},
        {PageClass<TfmPrintOperations>(), "btnStopTechTest", {}, "InterruptTest()"},
        {PageClass<TfmPrintOperations>(), "btnCutCheck", {}, "CutCheck(CutType=False)"},
        {PageClass<TfmPrintOperations>(), "btnCutCheck", [](TPage& p) { Select(p, "cbCutType", 1); },
         "CutCheck(CutType=True)"},
        {PageClass<TfmPrintOperations>(), "btnJournalOperation", {}, "JournalOperation(OperationType=0)"},
        {PageClass<TfmPrintOperations>(), "btnJournalOperation", [](TPage& p) { Select(p, "cbJrnOperationType", 1); },
         "JournalOperation(OperationType=1)"},
        {PageClass<TfmPrintBuffer>(), "btnClearPrintBuffer", {}, "ClearPrintBuffer()"},
    };
    for (const CallCase& c : cases) {
        SCOPED_TRACE(c.Sent.toStdString());
        std::unique_ptr<TPage> page(c.Page.Create(nullptr));
        if (c.Fill)
            c.Fill(*page);
        TestComponent().Trace().Clear();
        Control<QPushButton>(*page, c.Button)->click();
        EXPECT_EQ(TestComponent().Trace().Lines(), QStringList{c.Sent});
        EXPECT_EQ(Driver().ResultCode(), c.Code) << Driver().ResultCodeDescription().toStdString();
        for (QPushButton* b : page->findChildren<QPushButton*>())
            if (b->objectName() != QLatin1String("btnStop")) {
                EXPECT_TRUE(b->isEnabled()) << b->objectName().toStdString();
            }
        EXPECT_EQ(TestDialogs().unexpected(), 0);
    }
}

TEST_F(PrintCallsTest, TitleShowsItsRunningNumberAndClearsItOnAFailure)
{
    TfmPrintHeader page;
    page.btnPrintDocumentTitle->click();
    page.btnPrintDocumentTitle->click();
    EXPECT_EQ(page.edtOpenDocumentNumber->text(), QStringLiteral("2"));
    EXPECT_TRUE(TestRegister().Paper().Texts().contains(QStringLiteral("Заголовок документа")));
    TestRegister().Faults().FailNext(M::PrintDocumentTitle, 80);
    page.btnPrintDocumentTitle->click();
    EXPECT_EQ(page.edtOpenDocumentNumber->text(), QString());
    EXPECT_EQ(Driver().ResultCode(), 80);
}

TEST_F(PrintCallsTest, AllAttributesAre256CallsWithABlank)
{
    TfmPrintAttribute page;
    TestComponent().Trace().Clear();
    TestRegister().Faults().FailOnCall(M::PrintAttribute, 3, 80);
    page.btnPrintAttributes->click();
    const auto& calls = TestComponent().Trace().Calls();
    ASSERT_EQ(calls.size(), 256u);
    for (int n = 0; n < 256; ++n)
        ASSERT_EQ(calls[std::size_t(n)].Text(),
                  QStringLiteral("PrintAttribute(AttributeNumber=%1, AttributeValue= )").arg(n));
    EXPECT_EQ(TestRegister().Paper().Texts().size(), 255);
}
