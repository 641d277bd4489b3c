#include "platform/ui/EditLimit.h"
#include "tests/TestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct EditLimit : ::testing::Test {
    QLineEdit edit;
    void SetUp() override { SetEditLimit(&edit, 5); }
    void Paste(const QString& text)
    {
        QApplication::clipboard()->setText(text);
        QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    }
};

} // namespace

TEST_F(EditLimit, TextFromCodeStaysWholeAndTypingCutsNothingOfIt)
{
    edit.setText("1234567890");
    EXPECT_EQ(edit.text(), "1234567890");
    QSignalSpy changed(&edit, &QLineEdit::textChanged);
    edit.end(false);
    QTest::keyClicks(&edit, "ab");
    Paste("xyz");
    EXPECT_EQ(edit.text(), "1234567890");
    EXPECT_EQ(changed.count(), 0);
    // Shortened and edited by hand; grows by hand only up to the limit.
    edit.setSelection(2, 1);
    QTest::keyClicks(&edit, "x");
    EXPECT_EQ(edit.text(), "12x4567890");
    edit.end(false);
    for (int i = 0; i < 8; ++i)
        QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), "12");
    QTest::keyClicks(&edit, "abcdef");
    EXPECT_EQ(edit.text(), "12abc");
}

TEST_F(EditLimit, TypingAndPastingStopAtTheLimit)
{
    QTest::keyClicks(&edit, "123456789");
    EXPECT_EQ(edit.text(), "12345");
    edit.clear();
    edit.setText("ab");
    edit.setCursorPosition(1);
    Paste("12345");
    EXPECT_EQ(edit.text(), "a123b");
    EXPECT_EQ(edit.cursorPosition(), 4);
    // A paste over a selection counts the selection out.
    edit.selectAll();
    Paste("qwertyuiop");
    EXPECT_EQ(edit.text(), "qwert");
    // A new limit holds from then on.
    SetEditLimit(&edit, 7);
    EXPECT_EQ(::EditLimit(&edit), 7);
    edit.end(false);
    QTest::keyClicks(&edit, "123");
    EXPECT_EQ(edit.text(), "qwert12");
}

TEST_F(EditLimit, KeepsTheEditsValidatorAndItsAcceptance)
{
    QLineEdit digits;
    digits.setValidator(new QRegularExpressionValidator(QRegularExpression("\\d*"), &digits));
    SetEditLimit(&digits, 3);
    QTest::keyClicks(&digits, "1a2b3c4");
    EXPECT_EQ(digits.text(), "123");
    QSignalSpy returned(&digits, &QLineEdit::returnPressed);
    digits.setText("123456789012");
    QTest::keyClick(&digits, Qt::Key_Return);
    EXPECT_EQ(returned.count(), 1);
    EXPECT_EQ(digits.text(), "123456789012");
}

TEST(EditLimitTypedOnly, APasteIsTakenWholeTypingStopsAtTheLimit)
{
    QLineEdit edit;
    SetEditLimit(&edit, 4, TEditLimit::TypedOnly);
    QTest::keyClicks(&edit, "123456");
    EXPECT_EQ(edit.text(), "1234");
    QApplication::clipboard()->setText(";;0012345678;x");
    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.text(), ";;0012345678;x");
    QTest::keyClicks(&edit, "9");
    EXPECT_EQ(edit.text(), ";;0012345678;x");
}
