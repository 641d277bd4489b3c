// The CashControl page listening on TCP, shown, fed over loopback from a
// thread of its own: one client sending 4 MB in one line without a break,
// and 500 clients sending 100 lines each. Goals: the longest gap between two
// paints at most 50 ms (longest_paint_gap_ms) and each run under 2 s.
#include "bench/PaintWatch.h"
#include "pages/receipts/fmuCashControl.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTcpSocket>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <memory>
#include <thread>
#include <vector>

namespace {
// Connects every client, then writes each one's bytes and closes them all.
bool Send(quint16 port, const QList<QByteArray>& perClient)
{
    std::vector<std::unique_ptr<QTcpSocket>> clients;
    for (qsizetype i = 0; i < perClient.size(); ++i) {
        clients.push_back(std::make_unique<QTcpSocket>());
        clients.back()->connectToHost(QHostAddress::LocalHost, port);
        if (!clients.back()->waitForConnected(10000))
            return false;
    }
    for (qsizetype i = 0; i < perClient.size(); ++i)
        clients[std::size_t(i)]->write(perClient[i]);
    for (auto& client : clients)
        while (client->bytesToWrite() > 0)
            if (!client->waitForBytesWritten(30000))
                return false;
    for (auto& client : clients)
        client->disconnectFromHost();
    return true;
}

// A widget that asks to be painted every 10 ms: the paints show whether the
// event loop runs, also while nothing on the page changes.
class Ticker : public QWidget {
public:
    Ticker()
    {
        connect(&FTimer, &QTimer::timeout, this, qOverload<>(&QWidget::update));
        FTimer.start(10);
    }

private:
    QTimer FTimer;
};

struct Fixture {
    Fixture()
    {
        Page.resize(900, 600);
        Page.show();
        Tick.resize(20, 20);
        Tick.show();
        (void)QTest::qWaitForWindowExposed(&Page);
        Page.edtPort->setText(QStringLiteral("0"));
        Page.btnOpenPort->click();
    }
    TfmCashControl Page;
    Ticker Tick;
};

// Feeds the page until `done`, at most 60 s; the run's time and its longest paint gap.
void Run(benchmark::State& state, Fixture& f, const QList<QByteArray>& perClient, const std::function<bool()>& done)
{
    PaintWatch paints;
    double longestGap = 0, longestRun = 0;
    for (auto _ : state) {
        f.Page.btnClearClick();
        f.Page.btnOpenPortClick();
        const quint16 port = f.Page.TcpPort();
        QElapsedTimer clock;
        clock.start();
        paints.Start();
        bool sent = false;
        std::thread sender([&] { sent = Send(port, perClient); });
        while (!done() && clock.elapsed() < 60000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
        const qint64 run = clock.elapsed();
        longestGap = std::max(longestGap, double(paints.Longest()));
        sender.join();
        if (!sent || !done()) {
            state.SkipWithError("the page did not read everything");
            break;
        }
        longestRun = std::max(longestRun, double(run));
        f.Page.btnClosePortClick();
    }
    state.counters["longest_paint_gap_ms"] = longestGap;
    state.counters["longest_run_ms"] = longestRun;
}

void BM_CashControlEndlessLine(benchmark::State& state)
{
    Fixture f;
    const QByteArray line = QByteArray(4 << 20, 'x') + "\r\nend\r\n";
    Run(state, f, {line}, [&] { return f.Page.Memo->document()->lastBlock().previous().text() == QLatin1String("end"); });
}

void BM_CashControlManyClients(benchmark::State& state)
{
    Fixture f;
    constexpr int Clients = 500, Lines = 100;
    QList<QByteArray> perClient;
    for (int c = 0; c < Clients; ++c) {
        QByteArray bytes;
        for (int l = 0; l < Lines; ++l)
            bytes += "client " + QByteArray::number(c) + " line " + QByteArray::number(l) + "\r\n";
        perClient << bytes;
    }
    Run(state, f, perClient, [&] { return f.Page.LineCount() >= Clients * Lines && f.Page.AllShown(); });
}
} // namespace

BENCHMARK(BM_CashControlEndlessLine)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_CashControlManyClients)->Unit(benchmark::kMillisecond)->Iterations(3);
