// The full status report against the emulated register.
#include "pages/service/fmuFullStatus.h"

#include "core/support/CodePage.h"
#include "core/support/FileUtils.h"
#include "core/support/Format.h"
#include "lumaqtst/fmuMain.h"
#include "platform/Registry.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterCounters.h"
#include "tests/PageTestSupport.h"
#include "tests/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRegularExpression>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

using M = OrvekMethod;
using P = OrvekProp;

namespace {
QString Line(const QString& name, const QString& value, int width = 24)
{
    return QLatin1Char(' ') + name.leftJustified(width) + QStringLiteral(": ") + value;
}

const QString Separator = QLatin1Char(' ') + QString(52, QLatin1Char('-'));
const QString Aborted = QStringLiteral("Operation aborted");
const QString CashHead = QStringLiteral(" ДЕНЕЖНЫЕ РЕГИСТРЫ:");
} // namespace

class FullStatusTest : public PageTest<TfmFullStatus> {
protected:
    void SetUp() override
    {
        PageTest::SetUp();
        SetDecimalSeparator(QLatin1Char(','));
        TfmFullStatus::EventInterval = 0;  // events at every stop point
    }
    void TearDown() override
    {
        PageTest::TearDown();
        TfmFullStatus::EventInterval = 10;
        SetDecimalSeparator(QLatin1Char('.'));
    }

    QStringList Run()
    {
        Page->btnFullEcrStatus->click();
        return Lines();
    }
    QStringList Lines() const { return Page->Memo->toPlainText().split(QLatin1Char('\n')); }
    bool MemoHas(const QString& text) const { return Page->Memo->toPlainText().contains(text); }
    // Runs the report; `tick` runs at each stop point until it returns true.
    QStringList RunWith(const std::function<bool()>& tick)
    {
        QTimer timer;
        timer.setInterval(0);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            if (tick())
                timer.stop();
        });
        timer.start();
        return Run();
    }
    // The lines of table n from its head up to the next empty or closing line.
    static QStringList Table(const QStringList& lines, int n)
    {
        int at = lines.indexOf(QRegularExpression(QStringLiteral("^ ТАБЛИЦА %1\\. .*").arg(n)));
        QStringList table;
        for (; at >= 0 && at < lines.size() && lines[at].startsWith(QLatin1Char(' ')); ++at)
            table << lines[at];
        return table;
    }
};

TEST_F(FullStatusTest, CompleteReport)
{
    RegisterConfig config;
    config.SoftVersion = QStringLiteral("C.1");
    Bench().Clear();
    Bench().Add(config);
    const QStringList lines = Run();
    EXPECT_EQ(lines.mid(0, 4), (QStringList{{}, Separator, QStringLiteral(" Полное состояние"), Separator}));
    EXPECT_TRUE(lines.contains(QStringLiteral(" Версия ПО               : C.1")));
    EXPECT_TRUE(lines.contains(Line(QStringLiteral("Дата ПО"), QStringLiteral("20.11.2023"))));
    EXPECT_TRUE(lines.contains(Line(QStringLiteral("Напряжение батареи, В"), QStringLiteral("3,1"))));
    EXPECT_TRUE(lines.contains(Line(QStringLiteral("Флаги"), QStringLiteral("0292h, 658"))));
    EXPECT_TRUE(lines.contains(QStringLiteral(" Кодовая страница    : 0")));

    const DeviceTable& t1 = *TestRegister().Tables().Find(1);
    const QStringList table1 = Table(lines, 1);
    ASSERT_EQ(table1.size(), 3 + t1.Rows * (int(t1.Fields.size()) + 1));
    EXPECT_EQ(table1[0], Format(QStringLiteral(" ТАБЛИЦА 1. %s. Рядов:%d Полей:%d"),
                                {t1.Name, t1.Rows, int(t1.Fields.size())}));
    EXPECT_EQ(table1[1], QStringLiteral(" Ряд.Поле. Наименование:Значение"));
    EXPECT_EQ(table1[3], QStringLiteral(" 01.01. ") + t1.Fields[0].Name + QLatin1Char(':') +
                             TestRegister().Tables().Value(1, 1, 1).toString());
    EXPECT_EQ(table1[3 + int(t1.Fields.size())], Separator);
    const int tables = TestRegister().Tables().Count();
    EXPECT_FALSE(Table(lines, tables).isEmpty());
    EXPECT_TRUE(Table(lines, tables + 1).isEmpty());

    const int cash = lines.indexOf(CashHead);
    ASSERT_GT(cash, 0);
    EXPECT_EQ(lines[cash + 1], QLatin1Char(' ') + QString(54, QLatin1Char('-')));
    EXPECT_EQ(lines[cash + 2], Format(QStringLiteral(" %3d.%-44s : %s"), {0, QStringLiteral("Накопление продаж в 1 отдел в чеке"), QStringLiteral("0,00")}));
    const int operations = lines.indexOf(QStringLiteral(" ОПЕРАЦИОННЫЕ РЕГИСТРЫ:"));
    EXPECT_EQ(operations, cash + 2 + 256 + 2);
    EXPECT_EQ(lines.size(), operations + 2 + 256 + 1);
    EXPECT_EQ(lines.last(), Separator);
    EXPECT_EQ(Page->Memo->textCursor().position(), 0);
    EXPECT_TRUE(Page->btnFullEcrStatus->isEnabled());
}

// The operation registers show what the register did, as whole amounts.
TEST_F(FullStatusTest, OperationRegistersCountOperations)
{
    TDriver& d = Driver();
    d.setPrice(100 * 10000);
    d.setQuantity(1);
    d.setDepartment(2);
    ASSERT_EQ(d.Sale(), 0);
    d.setSumm1(100 * 10000);
    ASSERT_EQ(d.CloseCheck(), 0);
    const QStringList lines = Run();
    auto reg = [](int n, const QString& value) {
        const QString name = TestRegister().Area<RegisterCounters>().OperationRegisterName(n);
        return Format(QStringLiteral(" %3d.%-44s : %s"), {n, name, value});
    };
    EXPECT_TRUE(lines.contains(reg(OperReg::ItemsByDepartment + 1, QStringLiteral("1,00"))));
    EXPECT_TRUE(lines.contains(reg(OperReg::Receipts, QStringLiteral("1,00"))));
    EXPECT_TRUE(lines.contains(reg(OperReg::CashIns, QStringLiteral("0,00"))));
}

TEST_F(FullStatusTest, ProfileLines)
{
    // With an FN (the default): no FM lines, no serial number, no FM errors.
    QStringList lines = Run();
    for (const QString name : {"Версия ПО ФП", "Заводской номер", "Флаги ФП", "Ошибка ФП", "Ошибка ЭКЛЗ",
                                "Доп. Флаги ФП", "Количество фискализаций"})
        EXPECT_FALSE(MemoHas(QLatin1Char(' ') + name.leftJustified(24) + QStringLiteral(": "))) << name.toStdString();
    EXPECT_FALSE(MemoHas(QStringLiteral("Режим АСПД")));

    TestRegister().ModelParams().Set(71, false);
    TestRegister().State().FMFlags = 3;
    lines = Run();
    EXPECT_TRUE(lines.contains(Line(QStringLiteral("Флаги ФП"), QStringLiteral("03h, 3"))));
    EXPECT_TRUE(lines.contains(Line(QStringLiteral("Заводской номер"), QStringLiteral("0000000000012345"))));
    EXPECT_TRUE(lines.contains(Line(QStringLiteral("Ошибка ЭКЛЗ"), QStringLiteral("0"))));
    EXPECT_TRUE(lines.contains(Line(QStringLiteral("Батарея ФП заряжена более 80 %"), QStringLiteral("[да]"), 33)));
    EXPECT_FALSE(MemoHas(QStringLiteral("Доп. Флаги ФП")));

    TestRegister().ModelParams().Set(28, true);
    TestRegister().State().FMFlagsEx = 1;
    lines = Run();
    EXPECT_TRUE(lines.contains(Line(QStringLiteral("Доп. Флаги ФП"), QStringLiteral("01h, 1"))));
    EXPECT_TRUE(lines.contains(Line(QStringLiteral("Режим АСПД"), QStringLiteral("[да]"), 33)));
}

TEST_F(FullStatusTest, EmptyTableShowsItsHeadOnly)
{
    DeviceTable empty;
    empty.Name = QStringLiteral("Пустая");
    empty.Rows = 0;
    TableField field;
    field.Name = QStringLiteral("Поле");
    empty.Fields = {field};
    const int n = TestRegister().Tables().Add(empty).Number;
    const QStringList lines = Run();
    EXPECT_EQ(Table(lines, n), (QStringList{QStringLiteral(" ТАБЛИЦА %1. Пустая. Рядов:0 Полей:1").arg(n),
                                            QStringLiteral(" Ряд.Поле. Наименование:Значение"), Separator}));
}

TEST_F(FullStatusTest, Endings)
{
    struct Case {
        const char* Name;
        std::function<void(RegisterFaults&)> Fault;
        int LastTable;  // the last table shown (0: none)
        bool LastTableWhole;
        QString Ending;
    } cases[] = {
        {"table 3 fails", [](RegisterFaults& f) { f.FailWhen(M::GetTableStruct, P::TableNumber, 3, 75); }, 2, true,
         Aborted},
        // 93 ends the tables only from a table's first structure call.
        {"field structure 93", [](RegisterFaults& f) { f.FailWhen(M::GetFieldStruct, P::TableNumber, 2, 93); }, 2,
         false, Aborted},
        {"field read 93", [](RegisterFaults& f) { f.FailWhen(M::ReadTable, P::TableNumber, 2, 93); }, 2, false,
         Aborted},
        {"second structure 93", [](RegisterFaults& f) { f.FailOnCall(M::GetTableStruct, 4, 93); }, 2, false, Aborted},
        {"status", [](RegisterFaults& f) { f.FailNext(M::GetECRStatus, 80); }, 0, false, Aborted},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TestRegister().Faults().Clear();
        c.Fault(TestRegister().Faults());
        const QStringList lines = Run();
        EXPECT_EQ(lines.last(), c.Ending);
        EXPECT_FALSE(lines.contains(CashHead));
        EXPECT_TRUE(Table(lines, c.LastTable + 1).isEmpty());
        if (c.LastTable > 0) {
            const DeviceTable& t = *TestRegister().Tables().Find(c.LastTable);
            const int whole = 3 + t.Rows * (int(t.Fields.size()) + 1);
            const int shown = Table(lines, c.LastTable).size();
            if (c.LastTableWhole)
                EXPECT_EQ(shown, whole);
            else
                EXPECT_EQ(shown, 3);  // the head, then the failing field
        }
        EXPECT_TRUE(Page->btnFullEcrStatus->isEnabled());
    }
}

TEST_F(FullStatusTest, RegisterFailures)
{
    TestRegister().Faults().FailWhen(M::GetCashReg, P::RegisterNumber, 10, 80);
    QStringList lines = Run();
    EXPECT_EQ(lines.last(), QStringLiteral("<Прервано в результате ошибки: 80 %1>")
                                .arg(OrvekResultDescription(OrvekResult::PrinterBusy)));
    EXPECT_TRUE(lines[lines.size() - 2].startsWith(QStringLiteral("   9.")));

    TestRegister().Faults().FailWhen(M::GetOperationReg, P::RegisterNumber, 200, 80);
    lines = Run();
    EXPECT_EQ(lines.last(), Aborted);
    EXPECT_TRUE(lines[lines.size() - 2].startsWith(QStringLiteral(" 199.")));
}

TEST_F(FullStatusTest, InterruptMidTable)
{
    bool onlyInterrupt = false;
    int lastTable = 0;  // the last table begun when "Прервать" was clicked
    const QStringList lines = RunWith([&] {
        if (!MemoHas(QStringLiteral(" ТАБЛИЦА 2.")))
            return false;
        onlyInterrupt = Page->btnInterrupt->isEnabled() && !Page->btnFullEcrStatus->isEnabled() &&
                        !Page->btnSaveToFile->isEnabled();
        while (!Table(Lines(), lastTable + 1).isEmpty())
            ++lastTable;
        Page->btnInterrupt->click();
        return true;
    });
    EXPECT_TRUE(onlyInterrupt);
    EXPECT_EQ(lines.last(), QStringLiteral("<Прервано пользователем>"));
    EXPECT_GE(lastTable, 2);
    EXPECT_TRUE(Table(lines, lastTable + 1).isEmpty());
    EXPECT_FALSE(lines.contains(CashHead));
    EXPECT_TRUE(Page->btnFullEcrStatus->isEnabled());
    EXPECT_TRUE(Page->btnSaveToFile->isEnabled());

    // The next run starts afresh.
    EXPECT_EQ(Run().last(), Separator);
}

TEST_F(FullStatusTest, ClosingTheWindowStopsTheRunFirst)
{
    Page->show();
    const QStringList lines = RunWith([&] {
        if (!MemoHas(QStringLiteral(" ТАБЛИЦА 1.")))
            return false;
        Page->close();
        return true;
    });
    EXPECT_EQ(lines.last(), QStringLiteral("<Прервано пользователем>"));
    EXPECT_FALSE(Page->Running());
    QCoreApplication::processEvents();
    EXPECT_FALSE(Page->isVisible());
}

// In the program: closing the main window stops the run, then the window
// closes; the page lives on until the window is destroyed.
TEST_F(FullStatusTest, ClosingTheMainWindowStopsTheRunFirst)
{
    QFile::remove(TRegistry::DefaultFileName());
    TfmMain main;
    auto* page = main.Pages().PageByClass<TfmFullStatus>();
    ASSERT_NE(page, nullptr);
    main.ShowPage(page);
    main.show();
    QPointer<TfmFullStatus> alive(page);
    QTimer timer;
    timer.setInterval(0);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (page->Memo->toPlainText().contains(QStringLiteral(" ТАБЛИЦА 1."))) {
            timer.stop();
            main.close();
        }
    });
    timer.start();
    page->btnFullEcrStatus->click();
    EXPECT_TRUE(page->Memo->toPlainText().endsWith(QStringLiteral("<Прервано пользователем>")));
    EXPECT_EQ(main.edtResult->text(), QStringLiteral("(0) ") + Driver().ResultCodeDescription());
    EXPECT_TRUE(main.isVisible());
    QCoreApplication::processEvents();
    EXPECT_FALSE(main.isVisible());
    EXPECT_TRUE(alive);
}

TEST_F(FullStatusTest, SaveToFile)
{
    Run();
    const QString name = QDir(TestTempDir()).filePath(QStringLiteral("status.txt"));
    TestDialogs().answerFile(name);
    Page->btnSaveToFile->click();
    ASSERT_EQ(TestDialogs().shown().size(), 1u);
    EXPECT_EQ(TestDialogs().shown()[0].file.filter, QStringLiteral("Текстовые файлы (*.txt);;Все файлы (*)"));
    const QByteArray data = ReadFileData(name, MaxTextFileSize);
    EXPECT_EQ(data, WideToAnsi(Page->Memo->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n")) +
                               QStringLiteral("\r\n")));
    EXPECT_TRUE(data.contains(WideToAnsi(QStringLiteral(" ТАБЛИЦА 1."))));

    // Cancel writes nothing; an unwritable file gives an error and writes nothing.
    Page->btnSaveToFile->click();
    const QString bad = QDir(TestTempDir()).filePath(QStringLiteral("missing/status.txt"));
    TestDialogs().answerFile(bad);
    Page->btnSaveToFile->click();
    EXPECT_TRUE(TestDialogs().lastMessage().contains(QStringLiteral("missing/status.txt")));
    EXPECT_FALSE(QFile::exists(bad));
}

TEST_F(FullStatusTest, ValueTexts)
{
    using T = TfmFullStatus;
    EXPECT_EQ(T::VarToStr(12.5), QStringLiteral("12,5"));
    EXPECT_EQ(T::VarToStr(24.0), QStringLiteral("24"));
    EXPECT_EQ(T::VarToStr(QDateTime(QDate(2024, 3, 1), QTime(0, 0))), QStringLiteral("01.03.2024"));
    EXPECT_EQ(T::VarToStr(QDateTime(QDate(1899, 12, 30), QTime(10, 5, 7))), QStringLiteral("10:05:07"));
    // Midnight with no date is a time too, not the day the count starts from.
    EXPECT_EQ(T::VarToStr(QDateTime(QDate(1899, 12, 30), QTime(0, 0))), QStringLiteral("00:00:00"));
    EXPECT_EQ(T::VarToStr(QDateTime(QDate(2024, 3, 1), QTime(10, 5, 7))), QStringLiteral("01.03.2024 10:05:07"));
    EXPECT_EQ(T::VarToStr(-7), QStringLiteral("-7"));
}
