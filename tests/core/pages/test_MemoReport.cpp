// The memo report helpers and saving a memo.
#include "core/pages/MemoReport.h"
#include "core/support/FileUtils.h"
#include "tests/TestSupport.h"

#include <QFile>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

TEST(MemoReport, LinesWithThePagesWidths)
{
    QPlainTextEdit memo;
    TMemoReport report(&memo);
    report.AddLine(QStringLiteral("Номер ФН"), QStringLiteral("1"));
    report.AddLine(QStringLiteral("Название длиннее двадцати четырех"), QStringLiteral("x"));
    report.AddBool(QStringLiteral("  ОСН"), true);
    report.AddSeparator();
    report.Add(QStringLiteral("Ошибка.\r\n Либо"));
    EXPECT_EQ(memo.toPlainText(), QStringLiteral(" Номер ФН                : 1\n"
                                                 " Название длиннее двадцати четырех: x\n"
                                                 " ") + QStringLiteral("  ОСН").leftJustified(40) +
                                      QStringLiteral(": [да]\n"
                                                     " ----------------------------------------\n"
                                                     "Ошибка.\n"
                                                     " Либо"));

    TMemoReport other(&memo, {26, 33, 52});
    other.Clear();
    other.AddBool(QStringLiteral("A"), false);
    other.AddLine(QStringLiteral("B"), QStringLiteral("2"));
    other.AddSeparator();
    EXPECT_EQ(memo.toPlainText(), QStringLiteral(" A") + QString(32, QLatin1Char(' ')) + QStringLiteral(": [нет]\n B") +
                                      QString(25, QLatin1Char(' ')) + QStringLiteral(": 2\n ") + QString(52, QLatin1Char('-')));
}

TEST(MemoReport, SaveWritesAnsiTextWithCrLfOrNothingOnCancel)
{
    QPlainTextEdit memo;
    memo.setPlainText(QStringLiteral(" Номер ФН: 1\n Дата: 2"));
    QString file = TestTempDir() + QStringLiteral("/memo.txt");
    TestDialogs().answerFile(QString());
    EXPECT_FALSE(SaveMemoAs(&memo));
    EXPECT_FALSE(QFile::exists(file));

    TestDialogs().answerFile(file);
    ASSERT_TRUE(SaveMemoAs(&memo));
    EXPECT_EQ(ReadFileData(file, MaxTextFileSize), QByteArray(" \xCD\xEE\xEC\xE5\xF0 \xD4\xCD: 1\r\n \xC4\xE0\xF2\xE0: 2\r\n"));
    const auto& shown = TestDialogs().shown().back();
    EXPECT_TRUE(shown.file.save);
    EXPECT_EQ(shown.file.defaultExt, QStringLiteral("txt"));
}
