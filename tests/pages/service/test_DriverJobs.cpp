// "Удалить драйвер" on "Сервер печати" while another page's job uses the
// driver object: a loop on the UI thread that lets events run between its
// driver calls, or a worker whose end is not handled yet. Each case runs in
// a child process of its own, so a crash fails that case only.
#include "pages/service/fmuCommand.h"
#include "pages/service/fmuConnectionTest.h"
#include "pages/service/fmuDBSession.h"
#include "pages/service/fmuFullStatus.h"
#include "pages/service/fmuPrintServer.h"
#include "pages/service/fmuSDCard.h"
#include "pages/service/fmuTestEncoding.h"

#include "emulator/ReceiptDatabase.h"
#include "emulator/RegisterFN.h"
#include "tests/TestSupport.h"
#include "tests/pages/service/WorkerTestSupport.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <ostream>
#include <thread>
#include <unistd.h>

using M = OrvekMethod;

namespace {
const QString Marker = QStringLiteral("driver-of-the-test");
const QString Refusal = QStringLiteral("выполняется операция");

// Runs the scenario in a child process; it passes when the child ends with 0,
// that is when the scenario returned no failures.
void ExpectInChild(const std::function<QStringList()>& scenario)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            const QStringList failures = scenario();
            std::fputs(qPrintable(failures.join(QLatin1Char('\n'))), stderr);
            std::fflush(stderr);
            _exit(failures.isEmpty() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

// The driver object the test marked is still there.
void CheckDriverKept(QStringList& failures)
{
    if (!DriverExists() || Driver().ComputerName() != Marker)
        failures << QStringLiteral("the driver object was freed");
}

struct LoopCase {
    const char* Name;
    // Readies the register and makes the page.
    std::function<std::unique_ptr<TPage>()> Make;
    // Starts the page's loop; returns when it has ended.
    std::function<void(TPage*)> Run;
};

void PrintTo(const LoopCase& c, std::ostream* os)
{
    *os << c.Name;
}

template <class T>
T* As(TPage* page)
{
    return static_cast<T*>(page);
}

const LoopCase LoopCases[] = {
    {"FullStatus",
     [] {
         TfmFullStatus::EventInterval = 0;
         return std::make_unique<TfmFullStatus>();
     },
     [](TPage* p) { As<TfmFullStatus>(p)->btnFullEcrStatus->click(); }},
    {"SDCard",
     [] {
         Driver().setPassword(30);
         TestRegister().Tables().SetValue(15, 1, 1, 1);
         TestDialogs().answerFile(WriteTestFile(QStringLiteral("image.bin"), QByteArray(28672, 'Z')));
         return std::make_unique<TfmSDCard>();
     },
     [](TPage* p) { As<TfmSDCard>(p)->btnWriteLoader->click(); }},
    {"DBSession",
     [] {
         QDir(ReceiptDatabase::DefaultFolder()).removeRecursively();
         Driver().GetShortECRStatus();
         std::vector<DBDocument> documents;
         auto& fn = TestRegister().Area<RegisterFN>();
         for (int n = 12; n <= 14; ++n) {
             while (fn.LastDocumentNumber() < n)
                 fn.AddDocument(FNDocType::Receipt);
             DBDocument d;
             d.Number = n;
             d.Session = 5;
             d.Type = 1;
             d.DateTime = QDateTime(QDate(2026, 12, 1), QTime(10, 30, 5));
             d.Total = 10000;
             d.Text = QStringLiteral("КАССОВЫЙ ЧЕК %1").arg(n);
             d.FiscalSign = fn.Find(n)->FiscalSign;
             documents.push_back(d);
         }
         ReceiptDatabase::Add({}, ReceiptDatabase::Of(fn), documents);
         TfmDBSession::EventInterval = 0;
         auto page = std::make_unique<TfmDBSession>();
         page->edtSessionNumber->setText(QStringLiteral("5"));
         return page;
     },
     [](TPage* p) { p->findChild<QPushButton*>(QStringLiteral("btnDBPrintKL"))->click(); }},
    {"TestEncoding",
     [] {
         auto page = std::make_unique<TfmTestEncoding>();
         page->Memo->setPlainText(QStringLiteral("a\nb\nc\nd"));
         return page;
     },
     [](TPage* p) { As<TfmTestEncoding>(p)->btnPrint->click(); }},
    {"PrintTiming", [] { return std::make_unique<TfmConnectionTest>(); },
     [](TPage* p) { As<TfmConnectionTest>(p)->btnTestConnect->click(); }},
    {"CommandProbe", [] { return std::make_unique<TfmCommand>(); },
     [](TPage* p) { As<TfmCommand>(p)->btnSupportedCommands->click(); }},
};

class DriverJobLoopTest : public DriverTest, public ::testing::WithParamInterface<LoopCase> {};
} // namespace

// "Удалить драйвер" pressed at the first event turn of the loop is refused,
// saying that a job runs, and the loop ends on the same driver object.
TEST_P(DriverJobLoopTest, DeleteDriverAtTheFirstEventTurnIsRefused)
{
    const LoopCase& c = GetParam();
    ExpectInChild([&c] {
        TfmPrintServer server;
        Driver().setComputerName(Marker);
        std::unique_ptr<TPage> page = c.Make();
        bool pressed = false;
        QString shown;
        QTimer::singleShot(0, &server, [&] {
            pressed = true;
            server.btnDeleteDriver->click();
            shown = TestDialogs().lastMessage();
        });
        c.Run(page.get());
        QStringList failures;
        if (!pressed)
            failures << QStringLiteral("the loop let no events run");
        if (!shown.contains(Refusal))
            failures << QStringLiteral("no refusal shown: ") + shown;
        CheckDriverKept(failures);
        page.reset();
        return failures;
    });
}

INSTANTIATE_TEST_SUITE_P(Loops, DriverJobLoopTest, ::testing::ValuesIn(LoopCases),
                         [](const ::testing::TestParamInfo<LoopCase>& info) { return std::string(info.param.Name); });

class DriverJobWorkerTest : public DriverTest {};

// A worker has ended but its end is not handled on the UI thread yet; a click
// on "Удалить драйвер" waiting before that handling never frees the driver
// under the end handler (which disconnects): it is refused, or the end is
// handled first. Once the end is handled, the driver can be freed.
TEST_F(DriverJobWorkerTest, DeleteDriverBetweenAWorkersEndAndItsHandlingIsSafe)
{
    ExpectInChild([] {
        TfmPrintServer server;
        TfmConnectionTest page;
        page.chkCheckFM->setChecked(false);
        page.chkUseShortStatus->setChecked(true);
        Driver().setComputerName(Marker);
        bool clicked = false;
        QString shown;
        AtCall(M::GetShortECRStatus, 1, [&] {
            page.btnStop->click();
            QMetaObject::invokeMethod(
                &server,
                [&] {
                    // Queued before the worker's end reaches the UI thread.
                    const QDeadlineTimer ended(5000);
                    while (TNotifyThread::RunningCount() > 0 && !ended.hasExpired())
                        std::this_thread::yield();
                    clicked = true;
                    server.btnDeleteDriver->click();
                    shown = TestDialogs().lastMessage();
                },
                Qt::QueuedConnection);
        });
        page.btnStart->click();
        const QDeadlineTimer deadline(10000);
        while (!page.btnStart->isEnabled() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        TestRegister().OnCall = nullptr;
        QStringList failures;
        if (!clicked || !page.btnStart->isEnabled())
            failures << QStringLiteral("the worker did not end");
        // The click's frame may let the waiting end run first; then freeing is
        // sound and the end handler ran on the live driver. Otherwise the click
        // is refused and the driver stays.
        if (shown.contains(Refusal))
            CheckDriverKept(failures);
        else if (DriverExists())
            failures << QStringLiteral("neither refused nor freed: ") + shown;
        server.btnDeleteDriver->click();
        if (DriverExists())
            failures << QStringLiteral("the driver was not freed after the worker's end");
        return failures;
    });
}
