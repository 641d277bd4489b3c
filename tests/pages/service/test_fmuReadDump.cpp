// The page "Дамп" and its hex viewer.
#include "pages/service/fmuDump.h"
#include "pages/service/fmuReadDump.h"

#include "core/support/NotifyThread.h"
#include "emulator/OrvekResultCodes.h"
#include "platform/Exceptions.h"
#include "emulator/RegisterDump.h"
#include "tests/PageTestSupport.h"
#include "tests/pages/service/WorkerTestSupport.h"
#include "tests/TestSupport.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QTest>

using M = OrvekMethod;

namespace {
constexpr int Block = RegisterDump::BlockSize;

class ReadDumpTest : public PageTest<TfmReadDump> {
protected:
    void SetUp() override
    {
        PageTest::SetUp();
        Page->Initialize();
        ASSERT_EQ(Driver().Connect(), 0);
        TestRegister().ClearJournal();
    }
    void TearDown() override
    {
        TestRegister().OnCall = nullptr;
        PageTest::TearDown();
    }
    RegisterDump& Dump() { return TestRegister().Area<RegisterDump>(); }
    int Calls(M method) { return TestRegister().CallCount(method); }
    void Select(int code) { Page->cbDeviceCode->setCurrentIndex(Page->cbDeviceCode->findData(code)); }
    // An image of `size` bytes for the code, selected on the page.
    QByteArray Image(int code, int size)
    {
        QByteArray bytes(size, Qt::Uninitialized);
        for (int i = 0; i < size; ++i)
            bytes[i] = char((i * 7 + 3) & 0xFF);
        Dump().SetImage(code, bytes);
        Select(code);
        return bytes;
    }
    void ReadAll()
    {
        Page->btnStart->click();
        ASSERT_NE(Page->Thread(), nullptr);
        Page->Thread()->WaitFor();
    }
    QString Saved()
    {
        const QString file = TestTempDir() + QStringLiteral("/dump.bin");
        TestDialogs().answerFile(file);
        Page->btnSaveDump->click();
        return file;
    }
};

QStringList Row(const TDumpModel& model, int row)
{
    QStringList cells{model.headerData(row, Qt::Vertical).toString()};
    for (int column = 0; column < DumpColumns; ++column)
        cells << model.index(row, column).data().toString();
    return cells;
}
} // namespace

TEST_F(ReadDumpTest, DeviceListHasTwelveCodesFirstSelected)
{
    ASSERT_EQ(Page->cbDeviceCode->count(), 12);
    EXPECT_EQ(Page->cbDeviceCode->currentIndex(), 0);
    EXPECT_EQ(Page->cbDeviceCode->itemText(0), QStringLiteral("00h Стационарная проверка ФП"));
    EXPECT_EQ(Page->cbDeviceCode->itemText(10), QStringLiteral("0Ah Исполняемый файл ПО"));
    EXPECT_EQ(Page->cbDeviceCode->itemText(11), QStringLiteral("86h Память программ КЯ"));
    EXPECT_EQ(Page->cbDeviceCode->itemData(11).toInt(), 134);
}

TEST_F(ReadDumpTest, SingleBlocksShowAsHexLines)
{
    const QByteArray image = Image(4, Block + 20);
    Page->btnDampRequest->click();
    EXPECT_EQ(Page->edtBlockCount->text(), QStringLiteral("2"));
    Page->btnGetData->click();
    EXPECT_EQ(Page->edtBlockNumber->text(), QStringLiteral("0"));
    const QStringList lines = Page->Memo->toPlainText().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), Block / 16);
    EXPECT_EQ(lines[0], QStringLiteral("03 0A 11 18 1F 26 2D 34 3B 42 49 50 57 5E 65 6C "));
    Page->btnGetData->click();
    EXPECT_EQ(Page->edtBlockNumber->text(), QStringLiteral("1"));
    EXPECT_EQ(Page->Memo->toPlainText().split(QLatin1Char('\n')).size(), 2);
    EXPECT_FALSE(Page->btnStop->isEnabled());

    // Past the end, or after an interrupt: the number and the memo empty.
    Page->btnGetData->click();
    EXPECT_EQ(Page->edtBlockNumber->text(), QString());
    EXPECT_EQ(Page->Memo->toPlainText(), QString());
    Page->btnDampRequest->click();
    Page->btnInterruptDataStream->click();
    Page->btnGetData->click();
    EXPECT_EQ(Page->edtBlockNumber->text(), QString());

    TestRegister().Faults().FailNext(M::DampRequest, OrvekResult::NoLink);
    Page->btnDampRequest->click();
    EXPECT_EQ(Page->edtBlockCount->text(), QString());
    EXPECT_FALSE(Page->btnStop->isEnabled());
    EXPECT_EQ(TestDialogs().messages(), QStringList{});
}

TEST_F(ReadDumpTest, ReadsEveryBlockThenSavesViewsAndCompares)
{
    const QByteArray image = Image(7, 40);
    ReadAll();
    EXPECT_EQ(Page->DumpCopy(), image);
    EXPECT_EQ(Calls(M::InterruptDataStream), 1);
    EXPECT_FALSE(Page->ProgressBar->isVisible());
    EXPECT_TRUE(Page->btnStart->isEnabled());
    EXPECT_FALSE(Page->btnStop->isEnabled());
    EXPECT_EQ(TestDialogs().messages(), QStringList{});
    const QString file = Saved();
    EXPECT_EQ(FileBytes(file), image);

    TfmDump viewer;
    viewer.SetDump(Page->DumpCopy(), TDeviceRec{7, QStringLiteral("Оперативная память")});
    viewer.UpdatePage();
    ASSERT_EQ(viewer.Model->rowCount(), 3);
    EXPECT_EQ(Row(*viewer.Model, 0).mid(0, 4), (QStringList{"000000", "03", "0A", "11"}));
    EXPECT_EQ(Row(*viewer.Model, 1)[0], QStringLiteral("000010"));
    const QStringList last = Row(*viewer.Model, 2);
    EXPECT_EQ(last[0], QStringLiteral("000020"));
    EXPECT_EQ(last.mid(1, 8).count(QString()), 0);
    EXPECT_EQ(last.mid(9), QStringList(8, QString()));
    EXPECT_EQ(viewer.Model->headerData(15, Qt::Horizontal).toString(), QStringLiteral("0F"));

    const QString viewerFile = TestTempDir() + QStringLiteral("/viewer.bin");
    TestDialogs().answerFile(viewerFile);
    viewer.btnSave->click();
    EXPECT_EQ(FileBytes(viewerFile), image);

    QByteArray changed = image;
    changed[39] = char(changed[39] ^ 1);
    struct Case {
        QByteArray Reference;
        const char* Message;
    } cases[] = {
        {image, "Прошивка совпадает с эталонной."},
        {changed, "Прошивка не совпадает с эталонной."},
        {image + 'x', "Прошивка не совпадает с эталонной."},
    };
    for (const Case& c : cases) {
        TestDialogs().answerFile(WriteTestFile(QStringLiteral("reference.bin"), c.Reference));
        viewer.btnCompare->click();
        const Dialogs::MessageRequest& shown = TestDialogs().shown().back().message;
        EXPECT_EQ(shown.text, QString::fromUtf8(c.Message));
        EXPECT_EQ(shown.caption, ApplicationTitle());
        EXPECT_EQ(shown.buttons, Dialogs::Buttons::Ok);
        EXPECT_EQ(shown.icon, Dialogs::Icon::None);   // a plain box
    }
}

TEST_F(ReadDumpTest, AnEmptyAreaGivesOneEmptyRow)
{
    Select(0);
    // No blocks: an empty bar while the run lasts, not Qt's busy bar.
    Page->btnStart->click();
    ASSERT_NE(Page->Thread(), nullptr);
    EXPECT_GT(Page->ProgressBar->maximum(), 0);
    EXPECT_EQ(Page->ProgressBar->value(), 0);
    Page->Thread()->WaitFor();
    EXPECT_EQ(Page->DumpCopy(), QByteArray());
    EXPECT_EQ(Calls(M::GetData), 0);
    EXPECT_EQ(Calls(M::InterruptDataStream), 1);
    TfmDump viewer;
    viewer.SetDump(Page->DumpCopy(), {});
    viewer.UpdatePage();
    ASSERT_EQ(viewer.Model->rowCount(), 1);
    EXPECT_EQ(Row(*viewer.Model, 0), QStringList{"000000"} + QStringList(16, QString()));
}

TEST_F(ReadDumpTest, AFailingBlockKeepsTheBlocksBeforeAndWarns)
{
    const QByteArray image = Image(6, 10 * Block);
    TestRegister().Faults().FailOnCall(M::GetData, 4, OrvekResult::PrinterBusy);
    ReadAll();
    EXPECT_EQ(Page->DumpCopy(), image.left(3 * Block));
    EXPECT_EQ(Calls(M::InterruptDataStream), 0);
    EXPECT_EQ(TestDialogs().messages(),
              QStringList{QStringLiteral("Ошибка 80: ") + OrvekResultDescription(80) + QStringLiteral("\n\r")});
    EXPECT_TRUE(Page->btnStart->isEnabled());
    EXPECT_TRUE(Page->btnViewData->isEnabled());

    // A failing dump request starts nothing.
    TestDialogs().clear();
    TestRegister().Faults().FailNext(M::DampRequest, OrvekResult::NoLink);
    Page->btnStart->click();
    EXPECT_EQ(Page->DumpCopy(), image.left(3 * Block));
    EXPECT_TRUE(Page->btnStart->isEnabled());
    EXPECT_FALSE(Page->btnStop->isEnabled());
    EXPECT_EQ(TestDialogs().messages(), QStringList{});
}

TEST_F(ReadDumpTest, StopAfterThreeBlocksKeepsThemAndEndsTheStream)
{
    const QByteArray image = Image(6, 10 * Block);
    TfmReadDump* p = Page.get();
    ReadAll();
    ASSERT_EQ(Page->DumpCopy(), image);
    // A new read's progress starts from 0, not from the last read's count.
    QString progress;
    int value = -1;
    AtCall(M::GetData, 1, [&] {
        QMetaObject::invokeMethod(p->Timer, "timeout");
        progress = p->lblCount->text();
        value = p->ProgressBar->value();
    });
    ReadAll();
    EXPECT_EQ(progress, QStringLiteral("Получено блоков: 0"));
    EXPECT_EQ(value, 0);

    TestRegister().ClearJournal();
    AtCall(M::GetData, 3, [p] {
        p->btnStop->click();
        EXPECT_TRUE(p->btnSaveDump->isEnabled());
        EXPECT_FALSE(p->btnStop->isEnabled());
        // The view and the save copy what is read so far.
        EXPECT_EQ(p->DumpCopy().size() % Block, 0);
    });
    ReadAll();
    EXPECT_EQ(Page->DumpCopy(), image.left(3 * Block));
    EXPECT_EQ(Calls(M::InterruptDataStream), 1);
    EXPECT_EQ(TestDialogs().messages(), QStringList{});
    EXPECT_EQ(FileBytes(Saved()), image.left(3 * Block));
}

TEST_F(ReadDumpTest, RestartWaitsForTheStoppedWorker)
{
    const QByteArray image = Image(6, 10 * Block);
    TfmReadDump* p = Page.get();
    QPointer<TNotifyThread> first;
    int blocks = 0, requests = 0;
    bool joined = false;
    TestRegister().OnCall = [&](M called) {
        // Stopped at block 3 and started again at once, while the old worker
        // still runs: it cannot end before the UI thread serves its end.
        if (called == M::GetData && ++blocks == 3)
            TNotifyThread::Synchronize([p] {
                p->btnStop->click();
                QTimer::singleShot(0, p->btnStart, &QPushButton::click);
            });
        if (called == M::DampRequest && ++requests == 2)
            joined = !first || first->isFinished();
    };
    Page->btnStart->click();
    first = Page->Thread();
    for (int i = 0; i < 100000 && requests < 2; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    ASSERT_EQ(requests, 2);
    Page->Thread()->WaitFor();
    EXPECT_TRUE(joined);
    EXPECT_EQ(Page->DumpCopy(), image);
    EXPECT_EQ(Calls(M::InterruptDataStream), 2);
    EXPECT_EQ(TestDialogs().messages(), QStringList{});
}

TEST_F(ReadDumpTest, ClosingThePageMidReadJoinsTheWorker)
{
    Select(8);
    Page->btnStart->click();
    Page.reset();
    EXPECT_GE(Calls(M::DampRequest), 1);
    EXPECT_EQ(TestDialogs().messages(), QStringList{});
}

TEST_F(ReadDumpTest, ViewOpensTheModalViewerWithTheDump)
{
    const QByteArray image = Image(3, 100);
    ReadAll();
    int rows = -1;
    QString title;
    QTimer::singleShot(0, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* viewer = qobject_cast<TfmDump*>(w); viewer && viewer->isVisible()) {
                rows = viewer->Model->rowCount();
                title = viewer->Device().Description;
                viewer->SetModalResult(Dialogs::mrCancel);
            }
    });
    Page->btnViewData->click();
    EXPECT_EQ(rows, 7);
    EXPECT_EQ(title, QStringLiteral("Часы"));
}

TEST(DumpViewerTest, OffsetsAndSearches)
{
    struct OffsetCase {
        const char* Text;
        qsizetype Size;
        std::optional<qsizetype> Want;
    } offsets[] = {
        {"0", 0, 0},       {"1F0", 1000, 0x1F0}, {"0x1f0", 1000, 0x1F0}, {"3E7", 1000, 999},
        {"3E8", 1000, {}}, {"", 1000, {}},       {"G1", 1000, {}},       {"-1", 1000, {}},
        {"FFFFFFFFFFFFFFFFF", 1000, {}},
    };
    for (const auto& c : offsets)
        EXPECT_EQ(ParseDumpOffset(QString::fromLatin1(c.Text), c.Size), c.Want) << c.Text;

    const QByteArray data = QByteArray::fromHex("0102030401020304");
    struct FindCase {
        const char* Pattern;
        qsizetype From, Want;
    } finds[] = {
        {"0102", 0, 0}, {"0102", 1, 4}, {"0102", 5, 0}, {"0304", 7, 2}, {"0405", 0, -1}, {"", 0, -1},
    };
    for (const auto& c : finds)
        EXPECT_EQ(FindDumpBytes(data, QByteArray::fromHex(c.Pattern), c.From), c.Want) << c.Pattern << c.From;
    EXPECT_EQ(DumpRowCount(0), 1);
    EXPECT_EQ(DumpRowCount(16), 1);
    EXPECT_EQ(DumpRowCount(17), 2);
}

TEST(DumpViewerTest, GoToAndFindSelectTheBytes)
{
    QByteArray dump = RegisterDump::MadeContent(9, 0, 4096);
    dump.replace(4000, 4, QByteArray::fromHex("DEADBEEF"));
    TfmDump viewer;
    viewer.SetDump(dump, {});
    viewer.UpdatePage();
    viewer.edtOffset->setText(QStringLiteral("1F3"));
    viewer.btnGoTo->click();
    EXPECT_EQ(viewer.CurrentOffset(), 0x1F3);
    EXPECT_EQ(viewer.Grid->currentIndex().row(), 0x1F);

    viewer.edtFind->setText(QStringLiteral("de ad be ef"));
    viewer.btnFind->click();
    EXPECT_EQ(viewer.CurrentOffset(), 4000);
    EXPECT_EQ(viewer.Grid->selectionModel()->selectedIndexes().size(), 4);
    // The next search (F3) wraps round to the same place.
    viewer.show();
    viewer.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&viewer));
    viewer.edtOffset->setText(QStringLiteral("F00"));
    viewer.btnGoTo->click();
    QTest::keyClick(viewer.Grid, Qt::Key_F3);
    EXPECT_EQ(viewer.CurrentOffset(), 4000);
    QTest::keyClick(viewer.Grid, Qt::Key_F3);
    EXPECT_EQ(viewer.CurrentOffset(), 4000);

    struct Case {
        QLineEdit* Edit;
        QPushButton* Button;
        const char* Text;
    } bad[] = {
        {viewer.edtOffset, viewer.btnGoTo, "1000"},
        {viewer.edtOffset, viewer.btnGoTo, "xyz"},
        {viewer.edtFind, viewer.btnFind, "DG"},
        {viewer.edtFind, viewer.btnFind, ""},
        {viewer.edtFind, viewer.btnFind, "01 02 03 04 05 06 07 08"},
    };
    for (const Case& c : bad) {
        TestDialogs().clear();
        c.Edit->setText(QString::fromLatin1(c.Text));
        c.Button->click();
        EXPECT_EQ(TestDialogs().messages().size(), 1) << c.Text;
        EXPECT_EQ(viewer.CurrentOffset(), 4000) << c.Text;
    }
    EXPECT_EQ(TestDialogs().lastMessage(), QStringLiteral("Байты не найдены."));
}

TEST_F(ReadDumpTest, AWorkersExceptionIsShownAndTheBlocksStay)
{
    const QByteArray image = Image(6, 10 * Block);
    auto count = std::make_shared<int>(0);
    TestRegister().OnCall = [=](M called) {
        if (called == M::GetData && ++*count == 3)
            throw Exception(QStringLiteral("Сбой потока"));
    };
    ReadAll();
    EXPECT_EQ(TestDialogs().messages(), QStringList{QStringLiteral("Сбой потока")});
    EXPECT_EQ(Page->DumpCopy(), image.left(2 * Block));
    EXPECT_TRUE(Page->btnStart->isEnabled());
    EXPECT_FALSE(Page->btnStop->isEnabled());
    EXPECT_FALSE(Page->ProgressBar->isVisible());
}
