// The page "Буфер": the print buffer read back by count, by line and whole.
#include "pages/receipts/fmuPrintBuffer.h"
#include "emulator/OrvekResultCodes.h"
#include "tests/PageTestSupport.h"
#include "tests/TestSupport.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <gtest/gtest.h>

using M = OrvekMethod;

namespace {
class PrintBufferPageTest : public PageTest<TfmPrintBuffer> {
protected:
    void SetUp() override
    {
        PageTest::SetUp();
        ASSERT_EQ(Driver().ClearPrintBuffer(), 0);
    }
    void Print(const QStringList& lines)
    {
        for (const QString& line : lines) {
            Driver().setStringForPrinting(line);
            ASSERT_EQ(Driver().PrintString(), 0);
        }
    }
    QString Text() const { return Page->Memo->toPlainText(); }
};
} // namespace

TEST_F(PrintBufferPageTest, CountLineAndWholeBuffer)
{
    Print({"первая", "вторая", "третья"});
    EXPECT_EQ(Page->cbPrintBufferFormat->currentIndex(), 2);
    Page->btnReadPrintBufferLineNumber->click();
    EXPECT_EQ(Text(), QStringLiteral("Количество строк в буфере печати : 3\nКоличество напечатаных строк : 3"));

    Page->seLineNumber->setValue(1);
    Page->cbPrintBufferFormat->setCurrentIndex(1);
    Page->btnReadPrintBufferLine->click();
    EXPECT_EQ(Text(), QStringLiteral("вторая"));

    Page->btnReadPrintBuffer->click();
    EXPECT_EQ(Text(), QStringLiteral("000: первая\n001: вторая\n002: третья"));
    EXPECT_FALSE(Page->btnStop->isEnabled());

    Page->btnClear->click();
    EXPECT_EQ(Text(), QString());
}

TEST_F(PrintBufferPageTest, EmptyBufferOrAFailingReadEndsSilently)
{
    Page->Memo->setPlainText(QStringLiteral("старое"));
    Page->btnReadPrintBuffer->click();
    EXPECT_EQ(Text(), QString());

    Print({"первая", "вторая", "третья"});
    TestRegister().Faults().FailOnCall(M::ReadPrintBufferLine, 2, 80);
    Page->btnReadPrintBuffer->click();
    EXPECT_EQ(Text().trimmed(), QStringLiteral("000: первая"));  // all characters: filled with blanks
    EXPECT_EQ(Driver().ResultCode(), 80);

    // A line past the end: the memo stays cleared.
    Page->seLineNumber->setValue(3);
    Page->btnReadPrintBufferLine->click();
    EXPECT_EQ(Text(), QString());
    EXPECT_EQ(Driver().ResultCode(), OrvekResult::BadParameter);
    EXPECT_TRUE(TestDialogs().shown().empty());
    for (QPushButton* b : Page->findChildren<QPushButton*>())
        EXPECT_EQ(b->isEnabled(), b != Page->btnStop) << b->objectName().toStdString();
}
