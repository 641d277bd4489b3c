// The page "Текст": the memo printed line by line, its line counter, and its
// text files.
#include "pages/receipts/fmuPrintText.h"
#include "core/support/CodePage.h"
#include "emulator/OrvekResultCodes.h"
#include "tests/PageTestSupport.h"
#include "tests/TestSupport.h"

#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTextCursor>
#include <QTimer>
#include <gtest/gtest.h>

using M = OrvekMethod;

namespace {
class PrintTextPageTest : public PageTest<TfmPrintText> {
protected:
    void SetUp() override
    {
        PageTest::SetUp();
        ClearPaperAndTrace();
    }
    std::vector<OrvekMethod> Calls() { return TestComponent().Trace().Methods(); }
    QString WriteFile(const char* name, const QByteArray& bytes)
    {
        const QString fileName = TestTempDir() + QLatin1Char('/') + QLatin1String(name);
        QFile file(fileName);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return fileName;
    }
};
} // namespace

TEST_F(PrintTextPageTest, MemoPrintsEachLineInTheChosenFont)
{
    EXPECT_EQ(Page->lblStrCount->text(), QStringLiteral("14"));
    Page->Memo->setPlainText(QStringLiteral("первая\n\nтретья\n"));
    EXPECT_EQ(Page->lblStrCount->text(), QStringLiteral("3"));
    Page->seFontType->setValue(2);
    Page->btnPrint->click();
    EXPECT_EQ(TestRegister().Paper().Texts(), (QStringList{"первая", "", "третья"}));
    for (const PaperItem& item : TestRegister().Paper().Items())
        EXPECT_EQ(item.Font, 2);
    EXPECT_FALSE(Page->btnStop->isEnabled());
    EXPECT_TRUE(Page->btnPrint->isEnabled());
}

TEST_F(PrintTextPageTest, EmptyMemoSetsTheFlagsAndPrintsNothing)
{
    Page->Memo->clear();
    EXPECT_EQ(Page->lblStrCount->text(), QStringLiteral("0"));
    Page->btnPrint->click();
    EXPECT_TRUE(Calls().empty());
    EXPECT_EQ(TestComponent().Trace().Calls().size(), 0u);
    EXPECT_EQ(Driver().FontType(), 1);
    EXPECT_TRUE(Driver().UseJournalRibbon());
}

TEST_F(PrintTextPageTest, FailureOnTheThirdLineStopsSilently)
{
    TestRegister().Faults().FailOnCall(M::PrintStringWithFont, 3, 80);
    Page->btnPrint->click();
    EXPECT_EQ(TestRegister().Paper().Texts().size(), 2);
    EXPECT_EQ(TestRegister().CallCount(M::PrintStringWithFont), 3);
    EXPECT_EQ(Driver().ResultCode(), 80);
    EXPECT_TRUE(TestDialogs().shown().empty());
    EXPECT_FALSE(Page->btnStop->isEnabled());
    EXPECT_TRUE(Page->btnPrint->isEnabled());
}

TEST_F(PrintTextPageTest, StopEndsThePrintingMidWay)
{
    // "Прервать" is heard while the lines print: clicked after the fourth.
    EXPECT_FALSE(Page->btnStop->isEnabled());
    int printed = 0;
    std::function<void()> watch = [&] {
        printed = TestRegister().CallCount(M::PrintStringWithFont);
        if (printed >= 4 && Page->btnStop->isEnabled())
            Page->btnStop->click();
        else
            QTimer::singleShot(0, watch);
    };
    QTimer::singleShot(0, watch);
    Page->btnPrint->click();
    EXPECT_EQ(TestRegister().Paper().Texts().size(), printed);
    EXPECT_LT(printed, 14);
    EXPECT_GE(printed, 4);
    EXPECT_FALSE(Page->btnStop->isEnabled());
}

TEST_F(PrintTextPageTest, FilesWithAMarkOrInCp1251LoadTheSameTextAndSaveAsCp1251)
{
    const QString text = QStringLiteral("Строка один\nВторая строка");
    const QString bom = WriteFile("bom.txt", QByteArray("\xEF\xBB\xBF") + text.toUtf8());
    const QString ansi = WriteFile("ansi.txt", WideToAnsi(QString(text).replace(QLatin1Char('\n'), QStringLiteral("\r\n"))));
    for (const QString& fileName : {bom, ansi}) {
        Page->Memo->clear();
        TestDialogs().answerFile(fileName);
        Page->btnOpen->click();
        EXPECT_EQ(Page->Memo->toPlainText(), text) << fileName.toStdString();
        EXPECT_EQ(Page->lblStrCount->text(), QStringLiteral("2"));
    }

    const QString saved = TestTempDir() + QStringLiteral("/saved.txt");
    TestDialogs().answerFile(saved);
    Page->btnSave->click();
    QFile file(saved);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), WideToAnsi(QStringLiteral("Строка один\r\nВторая строка\r\n")));
}

TEST_F(PrintTextPageTest, UnreadableFileGivesAnErrorAndTheMemoStays)
{
    const QString before = Page->Memo->toPlainText();
    TestDialogs().answerFile(TestTempDir() + QStringLiteral("/missing.txt"));
    TestDialogs().answerMessage(Dialogs::mrOk);
    Page->btnOpen->click();
    EXPECT_EQ(Page->Memo->toPlainText(), before);
    EXPECT_TRUE(TestDialogs().lastMessage().contains(QStringLiteral("missing.txt")));
    // A cancelled dialog changes nothing.
    Page->btnOpen->click();
    EXPECT_EQ(Page->Memo->toPlainText(), before);
}

TEST_F(PrintTextPageTest, MemoTakesAtMost4096TypedCharactersButAWholeFile)
{
    const QString full(4096, QLatin1Char('a'));
    const struct {
        const char* Name;
        QString Before;
        int Position;
        QString Typed;
        QString After;
    } cases[] = {
        {"past the limit", QString(4090, QLatin1Char('a')), 4090, QStringLiteral("bcdefghij"), QString(4090, QLatin1Char('a')) + "bcdefg"},
        {"into a full memo", full, 0, QStringLiteral("zz"), full},
        {"a line break at the limit", QString(4095, QLatin1Char('a')), 10, QStringLiteral("\nb"),
         QString(10, QLatin1Char('a')) + "\n" + QString(4085, QLatin1Char('a'))},
        {"below the limit", QStringLiteral("ab"), 1, QStringLiteral("x\ny"), QStringLiteral("ax\nyb")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Page->Memo->setPlainText(c.Before);
        QTextCursor cursor(Page->Memo->document());
        cursor.setPosition(c.Position);
        cursor.insertText(c.Typed);
        EXPECT_EQ(Page->Memo->toPlainText(), c.After);
        EXPECT_EQ(Page->lblStrCount->text(), QString::number(c.After.count(QLatin1Char('\n')) + 1));
    }
    Page->Memo->setPlainText(QString(5000, QLatin1Char('a')));
    EXPECT_EQ(Page->Memo->toPlainText(), full);

    // A file goes in whole; typing more into it is refused.
    const QString text = QString(3000, QLatin1Char('b')) + "\n" + QString(3000, QLatin1Char('c'));
    TestDialogs().answerFile(WriteFile("long.txt", WideToAnsi(text)));
    Page->btnOpen->click();
    EXPECT_EQ(Page->Memo->toPlainText(), text);
    EXPECT_EQ(Page->lblStrCount->text(), QStringLiteral("2"));
    QTextCursor(Page->Memo->document()).insertText(QStringLiteral("d"));
    EXPECT_EQ(Page->Memo->toPlainText(), text);
}
