// The FN archive page against the emulated FN: the notification export with
// its ranges, stops and refusals, and the FN archive read and saved by the
// driver.
#include "pages/fn/fmuFNArchive.h"

#include "emulator/RegisterArchive.h"
#include "emulator/RegisterFN.h"
#include "emulator/RegisterMarking.h"
#include "lumaqtst/fmuMain.h"
#include "pages/fn/untFNNotificationArchive.h"
#include "tests/PageTestSupport.h"
#include "tests/TestSupport.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

using M = OrvekMethod;

namespace {
const QString Serial = QStringLiteral("9960000000012345");
const QString Saved = QStringLiteral("Файл успешно сохранен");
const QString Stopped = QStringLiteral("Прервано пользователем");
} // namespace

class FNArchivePageTest : public MainPageTest<TfmFNArchive> {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(MainPageTest::SetUp());
        Page->ProgramVersion = QStringLiteral("1.0.0.0");
        TestRegister().Area<RegisterFN>();   // its registration shows in table 18 from the start; these replace it
        TestRegister().Tables().SetValue(18, 1, 4, Serial);
        TestRegister().Tables().SetValue(18, 1, 3, QStringLiteral("0000000001012345"));
        TestRegister().Tables().SetValue(17, 1, 17, 4);
        Queue(7);
    }

    RegisterMarking& Marking() { return TestRegister().Area<RegisterMarking>(); }
    RegisterFN& FN() { return TestRegister().Area<RegisterFN>(); }
    // Three notifications from number First on, of 30, 42 and 50 bytes.
    void Queue(int first)
    {
        Marking().Queue.clear();
        Marking().NextNumber = first;
        for (int size : {30, 42, 50})
            Marking().QueueNotification(QByteArray(size, char('a' + size % 7)));
    }
    std::vector<int> Unconfirmed()
    {
        std::vector<int> numbers;
        for (const MarkingNotification& n : Marking().Queue)
            numbers.push_back(n.Number);
        return numbers;
    }
    // Exports with the range (all when Count is empty) into File.
    void Export(const QString& first, const QString& count)
    {
        Page->chbAllNotifications->setChecked(count.isNull());
        Page->edtFirstNotification->setText(count.isNull() ? QStringLiteral("1") : first);
        Page->edtNotificationCount->setText(count.isNull() ? QStringLiteral("1") : count);
        Page->btnSaveNotifications->click();
    }
    QString File(const QString& name) { return Dir + "/" + name; }
    int FileDialogs() const
    {
        int n = 0;
        for (const auto& s : TestDialogs().shown())
            n += s.kind == Dialogs::ScriptedDialogs::Shown::File;
        return n;
    }
    // Clicks "Прервать" at the first processed message once the condition holds.
    void StopWhen(std::function<bool()> condition)
    {
        auto* timer = new QTimer(Page);
        QObject::connect(timer, &QTimer::timeout, Page, [this, condition, timer] {
            if (condition()) {
                Page->btnStop->click();
                timer->stop();
            }
        });
        timer->start(0);
    }

    const QString Dir = TestTempDir();
};

TEST_F(FNArchivePageTest, ExportsEveryNotificationIntoTheFileAndConfirmsEach)
{
    const std::deque<MarkingNotification> queued = Marking().Queue;
    TestDialogs().answerFile(File("all.crpt2"));
    Export({}, {});
    ASSERT_EQ(TestDialogs().lastMessage(), Saved) << Main->edtResult->text().toStdString();
    const auto& request = TestDialogs().shown().front().file;
    EXPECT_EQ(request.fileName, Serial + "_7_9");
    EXPECT_EQ(request.filter, QStringLiteral("Все файлы (*)"));
    EXPECT_EQ(request.defaultExt, QStringLiteral("crpt2"));
    // The emulated FN takes a confirmation only with the notification's CRC.
    EXPECT_TRUE(Unconfirmed().empty());
    EXPECT_EQ(Page->lblProgress->text(), QStringLiteral("100%"));
    EXPECT_FALSE(Page->btnStop->isEnabled());
    EXPECT_TRUE(Page->btnSaveNotifications->isEnabled());

    TFNNotificationArchive file({}, {}, {}, 0);
    file.LoadFromFile(File("all.crpt2"));
    EXPECT_EQ(file.ProgName(), QStringLiteral("Brannic: Lumaq 1.0.0.0"));
    EXPECT_EQ(file.FNSerial(), Serial.toLatin1());
    EXPECT_EQ(file.RNM(), QByteArray("0000000001012345"));
    EXPECT_EQ(file.FFDVersion(), 4u);
    ASSERT_EQ(file.Notifications().GetCount(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(file.Notifications().GetItem(i)->FData, queued[std::size_t(i)].Data);
}

TEST_F(FNArchivePageTest, RangeOfNotifications)
{
    const struct {
        const char* first;
        const char* count;
        std::vector<int> exported;
    } cases[] = {
        {"5", "3", {7}},      // the FN's first is 7: the count shrinks to 1
        {"5", "4", {7, 8}},
        {"8", "1", {8}},      // 7 is read and passed over
        {"8", "5", {8, 9}},   // the FN has no more
        {"7", "0", {7, 8, 9}},
    };
    for (const auto& c : cases) {
        Queue(7);
        TestDialogs().clear();
        const QString name = File(QStringLiteral("range_%1_%2").arg(c.first, c.count));
        TestDialogs().answerFile(name);
        Export(c.first, c.count);
        ASSERT_EQ(TestDialogs().lastMessage(), Saved) << c.first << " " << c.count;
        EXPECT_EQ(TestDialogs().shown().front().file.fileName,
                  QStringLiteral("%1_%2_%3").arg(Serial).arg(c.exported.front()).arg(c.exported.back()));
        TFNNotificationArchive file({}, {}, {}, 0);
        file.LoadFromFile(name);
        EXPECT_EQ(file.Notifications().GetCount(), int(c.exported.size())) << c.first << " " << c.count;
        std::vector<int> left = {7, 8, 9};
        std::erase_if(left, [&](int n) { return std::find(c.exported.begin(), c.exported.end(), n) != c.exported.end(); });
        EXPECT_EQ(Unconfirmed(), left) << c.first << " " << c.count;
    }
}

TEST_F(FNArchivePageTest, ExportThatEndsBeforeTheFileConfirmsNothing)
{
    // A negative count, typed or worked out, ends the export before any reading.
    Export("7", "-1");
    EXPECT_EQ(TestDialogs().lastMessage(), QStringLiteral("Неверное количество уведомлений: -1"));
    Export("1", "2");
    EXPECT_EQ(TestDialogs().lastMessage(), QStringLiteral("Неверное количество уведомлений: -4"));
    Export("x", "2");
    EXPECT_EQ(TestDialogs().lastMessage(), QStringLiteral("\"x\" не является целым числом"));

    Marking().SpoilCRC(8);
    Export({}, {});
    EXPECT_EQ(TestDialogs().lastMessage(), QStringLiteral("Notification 8: Invalid CRC"));
    Queue(7);

    // The block reader stops on an empty block and on data beyond the size.
    Marking().BlockSize = 0;
    Export({}, {});
    EXPECT_EQ(TestDialogs().lastMessage(), QStringLiteral("Уведомление 7: пустой блок данных"));
    Marking().BlockSize = 32;
    Marking().ReportedSizeDelta = -1;
    Export({}, {});
    EXPECT_EQ(TestDialogs().lastMessage(),
              QStringLiteral("Уведомление 7: данных (30 байт) больше размера уведомления (29 байт)"));
    Marking().ReportedSizeDelta = 0;

    StopWhen([this] { return Page->btnStop->isEnabled(); });
    Export({}, {});
    EXPECT_EQ(TestDialogs().lastMessage(), Stopped);

    TestRegister().Faults().FailNext(M::FNReadNotificationBlock, 50);
    Export({}, {});
    EXPECT_EQ(Main->edtResult->text(), QStringLiteral("(50) ФН занят обработкой предыдущей команды"));

    Export({}, {});  // the file dialog cancelled
    EXPECT_EQ(FileDialogs(), 1);
    EXPECT_EQ(TestDialogs().messages().size(), 7);
    EXPECT_EQ(Unconfirmed(), (std::vector<int>{7, 8, 9}));
    EXPECT_FALSE(Page->btnStop->isEnabled());
    EXPECT_TRUE(Page->btnSaveNotifications->isEnabled());
}

TEST_F(FNArchivePageTest, StopOrRefusalWhileConfirmingKeepsTheFileAndTheRest)
{
    const QString stopped = File("stopped.crpt2");
    TestDialogs().answerFile(stopped);
    StopWhen([&] { return QFile::exists(stopped); });
    Export({}, {});
    EXPECT_EQ(TestDialogs().lastMessage(), Stopped);
    EXPECT_TRUE(QFile::exists(stopped));
    EXPECT_EQ(Unconfirmed(), std::vector<int>{9});

    Queue(7);
    TestDialogs().clear();
    TestDialogs().answerFile(File("refused.crpt2"));
    TestRegister().Faults().FailOnCall(M::FNConfirmNotificationRead, 2, 50);
    Export({}, {});
    EXPECT_TRUE(TestDialogs().messages().isEmpty());
    EXPECT_TRUE(QFile::exists(File("refused.crpt2")));
    EXPECT_EQ(Unconfirmed(), (std::vector<int>{8, 9}));
    EXPECT_FALSE(Page->btnStop->isEnabled());
}

TEST_F(FNArchivePageTest, NotificationCountAndTheRangeEdits)
{
    EXPECT_FALSE(Page->edtFirstNotification->isEnabled());
    Page->chbAllNotifications->click();
    EXPECT_TRUE(Page->edtFirstNotification->isEnabled());
    EXPECT_TRUE(Page->edtNotificationCount->isEnabled());
    Page->btnReadNotificationCount->click();
    EXPECT_EQ(Page->edtFirstNotification->text(), QStringLiteral("7"));
    EXPECT_EQ(Page->edtNotificationCount->text(), QStringLiteral("3"));
}

// The FN archive

class FNArchiveReadTest : public FNArchivePageTest {
protected:
    void SetUp() override
    {
        FNArchivePageTest::SetUp();
        // Documents 2 to 4: receipts, the last with a product code.
        for (int i = 0; i < 3; ++i)
            FN().AddDocument(FNDocType::Receipt);
        FNTag code;
        code.Number = 1162;
        FN().Documents.back().Tags.push_back(code);
    }
    RegisterArchive& Archive() { return TestRegister().Area<RegisterArchive>(); }
    void Read(int first, int last)
    {
        Page->seFirstDocument->setValue(first);
        Page->seLastDocument->setValue(last);
        Page->btnSaveArchive->click();
    }
};

TEST_F(FNArchiveReadTest, ReadsTheRangeAndTheDriverSavesIt)
{
    Page->btnReadLastDocument->click();
    EXPECT_EQ(Page->seLastDocument->value(), 4);

    const struct {
        QString answer;
        int filter;
        QString saved;
    } cases[] = {
        {File("a"), 2, File("a.txt")},
        {File("a.crpt"), 1, File("a.crpt")},
        {File("b"), 1, File("b.crpt")},
    };
    for (const auto& c : cases) {
        TestDialogs().clear();
        TestDialogs().answerFile(c.answer, c.filter);
        Read(2, 4);
        ASSERT_EQ(TestDialogs().lastMessage(), Saved) << Main->edtResult->text().toStdString();
        EXPECT_EQ(TestDialogs().shown().front().file.fileName, QStringLiteral("Arc_%1_02_04").arg(Serial));
        EXPECT_EQ(Driver().FileName(), c.saved);
        EXPECT_EQ(Driver().FNArchiveType(), c.filter - 1);
        EXPECT_EQ(Archive().SavedFile, c.saved);
        EXPECT_TRUE(QFile::exists(c.saved));
        EXPECT_EQ(Archive().Read, (std::vector<int>{2, 3, 4}));
        EXPECT_EQ(Page->lblProgress->text(), QStringLiteral("100%"));
    }
    QFile text(File("a.txt"));
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    EXPECT_EQ(text.readAll().count("\r\n"), 4);

    Page->chbMarkingOnly->setChecked(true);
    TestDialogs().answerFile(File("marked"), 2);
    Read(1, 4);
    EXPECT_TRUE(Driver().MarkingOnly());
    QFile marked(File("marked.txt"));
    ASSERT_TRUE(marked.open(QIODevice::ReadOnly));
    EXPECT_EQ(marked.readAll().count("\r\n"), 2);
}

// A run ends with the bar full or empty, never Qt's busy bar (a range of 0).
TEST_F(FNArchiveReadTest, ProgressEndsDoneOrEmpty)
{
    TestDialogs().answerFile(File("one.crpt"));
    Read(3, 3);
    ASSERT_EQ(TestDialogs().lastMessage(), Saved) << Main->edtResult->text().toStdString();
    EXPECT_GT(Page->ProgressBar->maximum(), 0);
    EXPECT_EQ(Page->ProgressBar->value(), Page->ProgressBar->maximum());
    EXPECT_EQ(Page->lblProgress->text(), QStringLiteral("100%"));

    Marking().Queue.clear();
    TestDialogs().clear();
    Export({}, {});
    EXPECT_EQ(FileDialogs(), 0);
    EXPECT_GT(Page->ProgressBar->maximum(), 0);
    EXPECT_EQ(Page->ProgressBar->value(), 0);
    EXPECT_EQ(Page->lblProgress->text(), QStringLiteral("0%"));
}

TEST_F(FNArchiveReadTest, WrongRangeStopAndErrors)
{
    TestDialogs().answerFile(File("c"));
    Read(5, 4);
    EXPECT_EQ(FileDialogs(), 1);
    EXPECT_EQ(TestDialogs().lastMessage(),
              QStringLiteral("Номер последнего документа не может быть меньше номера первого документа"));

    TestDialogs().clear();
    TestDialogs().answerFile(File("c"));
    StopWhen([this] { return Page->btnStop->isEnabled(); });
    Read(1, 4);
    EXPECT_TRUE(TestDialogs().messages().isEmpty());
    EXPECT_EQ(Archive().Read, std::vector<int>{1});
    EXPECT_TRUE(Archive().SavedFile.isEmpty());
    EXPECT_FALSE(Page->btnStop->isEnabled());
    EXPECT_TRUE(Page->btnSaveArchive->isEnabled());

    // A document the FN lacks, then a refusal to save.
    TestDialogs().answerFile(File("c"));
    Read(3, 5);
    EXPECT_EQ(Main->edtResult->text(), QStringLiteral("(8) ФН: Нет запрошенных данных"));
    TestDialogs().answerFile(File("c"));
    TestRegister().Faults().FailNext(M::FNSaveArchive, 50);
    Read(3, 4);
    EXPECT_EQ(Main->edtResult->text(), QStringLiteral("(50) ФН занят обработкой предыдущей команды"));
    EXPECT_TRUE(TestDialogs().messages().isEmpty());
    EXPECT_FALSE(QFile::exists(File("c.crpt")));
    EXPECT_FALSE(Page->btnStop->isEnabled());
}

TEST_F(FNArchivePageTest, FFDVersionFieldByModel)
{
    TestRegister().Tables().SetValue(10, 1, 4, 1);
    TestRegister().Tables().SetValue(10, 1, 29, 2);
    TestRegister().Tables().SetValue(17, 1, 17, 3);
    const struct {
        int model;
        std::uint32_t version;
    } cases[] = {{19, 1}, {16, 2}, {45, 2}, {37, 3}, {17, 3}};
    for (const auto& c : cases) {
        TestRegister().ModelParams().Set(32, c.model);
        EXPECT_EQ(TfmFNArchive::GetFFDVersion(), c.version) << c.model;
    }
}
