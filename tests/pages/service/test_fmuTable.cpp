// The page "Таблицы" against the emulated register's tables.
#include "pages/service/fmuTable.h"

#include "emulator/OrvekResultCodes.h"
#include "tests/PageTestSupport.h"
#include "tests/TestSupport.h"
#include "platform/FileRead.h"

#include <QFile>

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>

using M = OrvekMethod;

namespace {
class TablePageTest : public PageTest<TfmTable> {
protected:
    void SetUp() override
    {
        PageTest::SetUp();
        Dir = TestTempDir();
    }
    QStringList Lines() const { return Page->Memo->toPlainText().split(QLatin1Char('\n')); }
    void Address(int table, int row, int field)
    {
        Page->seTableNumber->setValue(table);
        Page->seRowNumber->setValue(row);
        Page->seFieldNumber->setValue(field);
    }
    QString File(const char* name) const { return Dir + QLatin1Char('/') + QLatin1String(name); }

    QString Dir;
};
} // namespace

TEST_F(TablePageTest, TableAndFieldStructure)
{
    Address(1, 1, 16);
    Page->btnGetTableStruct->click();
    EXPECT_EQ(Lines(), (QStringList{"Название таблицы: Тип и режим кассы", "Количество рядов: 1",
                                    "Количество полей: 30"}));
    Page->btnGetFieldStruct->click();
    EXPECT_EQ(Lines(), (QStringList{"Название поля: Формат печати чека", "Тип поля: число", "Размер поля: 1",
                                    "Мин. значение: 0", "Макс. значение: 5"}));
    Address(99, 1, 1);
    Page->btnGetTableStruct->click();
    EXPECT_EQ(Page->Memo->toPlainText(), QString());
    EXPECT_EQ(Driver().ResultCode(), OrvekResult::BadTableField);
}

TEST_F(TablePageTest, ReadShowsFieldLinesAndTheValue)
{
    TestRegister().Tables().SetValue(17, 1, 12, int(0xFFFFFFFE));
    struct Case {
        int Table, Row, Field;
        QStringList Lines;
        QString Value;
    } cases[] = {
        {18, 1, 13, {"Название поля: Сайт ФНС", "Тип поля: строка", "Размер поля: 64"}, "www.nalog.gov.ru"},
        {17, 1, 12,
         {"Название поля: Печать реквизитов", "Тип поля: число", "Размер поля: 4", "Мин. значение: 0",
          "Макс. значение: 2147483647"},
         "4294967294"},
    };
    for (const Case& c : cases) {
        Address(c.Table, c.Row, c.Field);
        Page->btnReadTable->click();
        EXPECT_EQ(Lines(), c.Lines) << c.Table;
        EXPECT_EQ(Page->edtValue->text(), c.Value) << c.Table;
    }
}

TEST_F(TablePageTest, WriteSendsTheTextAndTheRegisterConvertsNumbers)
{
    Address(1, 1, 1);
    Page->edtValue->setText(QStringLiteral(" 42"));
    Page->btnWriteTable->click();
    EXPECT_EQ(TestRegister().Tables().Value(1, 1, 1), QVariant(42));
    EXPECT_EQ(Lines(), (QStringList{"Структура поля:", "    Название поля: Номер кассы в магазине", "Тип поля: число",
                                    "    Размер поля: 1", "Мин. значение: 1", "Макс. значение: 99"}));
    EXPECT_EQ(Page->edtValue->text(), QStringLiteral("42"));
    for (const char* bad : {"сорок", "100", ""}) {
        Page->edtValue->setText(QString::fromUtf8(bad));
        Page->btnWriteTable->click();
        EXPECT_EQ(Driver().ResultCode(), OrvekResult::BadParameter) << bad;
        EXPECT_EQ(TestRegister().Tables().Value(1, 1, 1), QVariant(42)) << bad;
        EXPECT_EQ(Page->Memo->toPlainText(), QString()) << bad;
    }
    Address(4, 2, 1);
    Page->edtValue->setText(QStringLiteral("Хорошего дня, 1"));
    Page->btnWriteTable->click();
    EXPECT_EQ(TestRegister().Tables().Value(4, 2, 1), QVariant(QStringLiteral("Хорошего дня, 1")));
    EXPECT_EQ(Lines().last(), QStringLiteral("    Размер поля: 64"));
}

TEST_F(TablePageTest, InitialisationOnlyAfterYes)
{
    TestRegister().Tables().SetValue(1, 1, 1, 7);
    TestDialogs().answerMessage(Dialogs::mrNo);
    Page->btnInitTable->click();
    const auto& shown = TestDialogs().shown().back().message;
    EXPECT_EQ(shown.text, QStringLiteral("Вы уверены?"));
    EXPECT_EQ(shown.caption, QStringLiteral("Инициализировать таблицы"));
    EXPECT_EQ(shown.buttons, Dialogs::Buttons::YesNo);
    EXPECT_EQ(shown.icon, Dialogs::Icon::Warning);
    EXPECT_EQ(TestRegister().CallCount(M::InitTable), 0);
    TestDialogs().answerMessage(Dialogs::mrYes);
    Page->btnInitTable->click();
    EXPECT_EQ(TestRegister().Tables().Value(1, 1, 1), QVariant(1));
    EXPECT_TRUE(Page->btnInitTable->isEnabled());
}

TEST_F(TablePageTest, ExportChangeImport)
{
    TestDialogs().answerFile(File("tables.csv"));
    Page->btnOpenFile->click();
    const auto& request = TestDialogs().shown().back().file;
    EXPECT_TRUE(request.save);
    EXPECT_EQ(request.filter, QStringLiteral("CSV (*.csv);;Все файлы (*)"));
    EXPECT_EQ(request.defaultExt, QStringLiteral("csv"));
    EXPECT_EQ(Page->edtFileName->text(), File("tables.csv"));

    TestRegister().Tables().SetValue(4, 1, 1, QStringLiteral("Кавычки \"и\", запятые"));
    Page->btnExportTables->click();
    ASSERT_EQ(Driver().ResultCode(), 0);
    TestRegister().Tables().SetValue(1, 1, 1, 9);
    TestRegister().Tables().SetValue(4, 1, 1, QString());
    Page->btnImportTables->click();
    ASSERT_EQ(Driver().ResultCode(), 0) << Driver().ResultCodeDescription().toStdString();
    EXPECT_EQ(TestRegister().Tables().Value(1, 1, 1), QVariant(1));
    EXPECT_EQ(TestRegister().Tables().Value(4, 1, 1), QVariant(QStringLiteral("Кавычки \"и\", запятые")));
}

// A full disk: the export answers an error and the file it would replace stays whole.
TEST_F(TablePageTest, ExportToAFullDiskKeepsTheOldFile)
{
    const QByteArray before = "1,1,1,5\r\n";
    Page->edtFileName->setText(WriteTestFile(QStringLiteral("old.csv"), before));
    {
        TFullDisk full(4);
        Page->btnExportTables->click();
    }
    EXPECT_EQ(Driver().ResultCode(), OrvekResult::FileError);
    EXPECT_EQ(FileBytes(Page->edtFileName->text()), before);
}

TEST_F(TablePageTest, BrokenImportChangesNoTable)
{
    struct Case {
        const char* Name;
        QByteArray Bytes;  // empty: no file at all
        std::int32_t Code;
    } cases[] = {
        {"missing.csv", {}, OrvekResult::FileError},
        {"limits.csv", "1,1,1,5\r\n1,1,16,9\r\n", OrvekResult::BadParameter},
        {"text.csv", "1,1,1,5\r\n1,1,2,\"да\"\r\n", OrvekResult::BadParameter},
        {"short.csv", "1,1,1,5\r\n1,1\r\n", OrvekResult::BadParameter},
        {"quote.csv", "1,1,1,5\r\n4,1,1,\"open\r\n", OrvekResult::BadParameter},
        {"nofield.csv", "1,1,1,5\r\n1,1,31,0\r\n", OrvekResult::BadTableField},
        {"service.csv", "1,1,1,5\r\n10,1,7,1\r\n", OrvekResult::BadPassword},
        {"empty.csv", "\r\n", OrvekResult::BadParameter},
    };
    for (const Case& c : cases) {
        const QString name = c.Bytes.isEmpty() ? File(c.Name) : WriteTestFile(QLatin1String(c.Name), c.Bytes);
        Page->edtFileName->setText(name);
        Page->btnImportTables->click();
        EXPECT_EQ(Driver().ResultCode(), c.Code) << c.Name;
        EXPECT_EQ(TestRegister().Tables().Value(1, 1, 1), QVariant(1)) << c.Name;
    }
    // Larger than any table file: refused unread, with its size.
    const QString large = WriteTestFile(QStringLiteral("large.csv"), "1,1,1,5\r\n");
    ASSERT_TRUE(QFile::resize(large, MaxTextFileSize + 1));   // sparse: no disk used
    Page->edtFileName->setText(large);
    Page->btnImportTables->click();
    EXPECT_EQ(Driver().ResultCode(), OrvekResult::FileError);
    EXPECT_TRUE(Driver().ResultCodeDescription().contains(QString::number(MaxTextFileSize + 1)))
        << Driver().ResultCodeDescription().toStdString();
    EXPECT_EQ(TestRegister().Tables().Value(1, 1, 1), QVariant(1));
}

TEST_F(TablePageTest, TableEditorIsTheDriversDialog)
{
    ScriptOrvekDialog([](QDialog&) { return int(QDialog::Rejected); });
    Page->btnShowTablesDlg->click();
    EXPECT_EQ(Driver().ResultCode(), 0);
    EXPECT_EQ(UnexpectedOrvekDialogs(), 0);
    EXPECT_EQ(TestRegister().CallCount(M::ShowTablesDlg), 1);
}
