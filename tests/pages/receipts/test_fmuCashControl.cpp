// The page "CashControl": the line stream chunk by chunk, then the page over
// real loopback sockets (ports chosen by the system, bounded waits), and the
// stream's fuzz entry over a seeded corpus.
#include "pages/receipts/fmuCashControl.h"
#include "tests/TestSupport.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>
#include <QUdpSocket>
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <thread>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {
// Runs the event loop until `done` holds; false after `ms` milliseconds.
bool WaitUntil(const std::function<bool()>& done, int ms = 10000)
{
    QElapsedTimer elapsed;
    elapsed.start();
    QTimer tick;
    tick.start(5);
    while (!done()) {
        if (elapsed.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

class CashControlTest : public ::testing::Test {
protected:
    void SetUp() override { TestDialogs().clear(); }
    // Opens the page's port with one the system chooses.
    void Open(bool udp = false)
    {
        (udp ? Page.rbUDP : Page.rbTCP)->setChecked(true);
        Page.edtPort->setText(QStringLiteral("0"));
        Page.btnOpenPort->click();
        ASSERT_TRUE(udp ? Page.UdpPort() != 0 : Page.TcpPort() != 0) << TestDialogs().lastMessage().toStdString();
    }
    // Sends each chunk by itself, waiting until the page has read it.
    void SendTcp(QTcpSocket& client, const QList<QByteArray>& chunks)
    {
        for (const QByteArray& chunk : chunks) {
            const int before = Count();
            client.write(chunk);
            ASSERT_TRUE(client.waitForBytesWritten(5000));
            ASSERT_TRUE(WaitUntil([&] { return Count() != before; }));
        }
    }
    void Connect(QTcpSocket& client)
    {
        client.connectToHost(QHostAddress::LocalHost, Page.TcpPort());
        ASSERT_TRUE(client.waitForConnected(5000));
    }
    int Count() const { return Page.LineCount(); }
    // The memo's text once what came has been shown (the next turns of the event loop).
    QString MemoText()
    {
        EXPECT_TRUE(WaitUntil([&] { return Page.AllShown(); }));
        return Page.Memo->toPlainText();
    }

    TfmCashControl Page;
};
} // namespace

TEST(CashControlStream, ChunksToTextAndLines)
{
    const struct {
        QList<QByteArray> Chunks;
        QString Text;
        QList<int> Lines;
    } cases[] = {
        {{"AB", "C\r\nD"}, "ABC\nD", {1, 2}},
        {{"C\r", "\nD"}, "C\nD", {1, 1}},          // CR LF split between chunks: one break
        {{"C\r", "\n", "\n"}, "C\n\n", {1, 0, 1}},
        {{"a\rb\nc\r\n"}, "a\nb\nc\n", {3}},
        {{"\r\n\r\n"}, "\n\n", {2}},
        {{"", "x"}, "x", {0, 1}},
        {{"x\r", "", "\ny"}, "x\ny", {1, 0, 1}},   // an empty chunk keeps the pending CR
    };
    for (const auto& c : cases) {
        TLineStream stream;
        QString text;
        QList<int> lines;
        for (const QByteArray& chunk : c.Chunks) {
            const TLineStream::TChunk out = stream.Add(QString::fromLatin1(chunk));
            text += out.Text;
            lines << out.Lines;
        }
        EXPECT_EQ(text, c.Text) << c.Chunks.join('|').toHex().constData();
        EXPECT_EQ(lines, c.Lines) << c.Chunks.join('|').toHex().constData();
    }
}

TEST(CashControlStream, CodePages)
{
    const QByteArray hello = QByteArray::fromHex("8FE0A8A2A5E2");
    EXPECT_EQ(GetLineData(hello, true), QStringLiteral("Привет"));
    EXPECT_EQ(GetLineData(hello, false), QStringLiteral("ЏаЁўҐв"));
    EXPECT_EQ(GetLineData(QByteArray("\x80", 1), true), QString(QChar(0x0410)));
}

TEST_F(CashControlTest, ServerDataAppendsCountsAndFollowsTheChecks)
{
    EXPECT_EQ(Page.lblCount->text(), QStringLiteral("0"));
    EXPECT_FALSE(Page.btnClosePort->isEnabled());
    Page.ServerData("AB");
    Page.ServerData("C\r\nD");
    EXPECT_EQ(MemoText(), QStringLiteral("ABC\nD"));
    EXPECT_EQ(Page.lblCount->text(), QStringLiteral("3"));

    Page.ServerData(QByteArray::fromHex("0D0A8FE0A8A2A5E2"));
    EXPECT_EQ(MemoText(), QStringLiteral("ABC\nD\nПривет"));
    Page.chbCP866->setChecked(false);
    Page.ServerData(QByteArray::fromHex("0D0A8FE0A8A2A5E2"));
    EXPECT_EQ(MemoText(), QStringLiteral("ABC\nD\nПривет\nЏаЁўҐв"));

    Page.btnClear->click();
    EXPECT_EQ(MemoText(), QString());
    EXPECT_EQ(Page.LineCount(), 7);
    Page.chbShowData->setChecked(false);
    Page.ServerData("one\r\ntwo\r\n");
    EXPECT_EQ(MemoText(), QString());
    EXPECT_EQ(Page.lblCount->text(), QStringLiteral("9"));
}

TEST_F(CashControlTest, MemoKeepsTheLatestLinesAndTheCounterCountsAll)
{
    for (int i = 0; i < TfmCashControl::MaxMemoLines + 500; ++i)
        Page.ServerData("line " + QByteArray::number(i) + "\r\n");
    const QString text = MemoText();
    EXPECT_LE(Page.Memo->document()->blockCount(), TfmCashControl::MaxMemoLines);
    EXPECT_TRUE(text.contains(QStringLiteral("line 10499\n")));
    EXPECT_FALSE(text.startsWith(QStringLiteral("line 0\n")));
    EXPECT_EQ(Page.LineCount(), TfmCashControl::MaxMemoLines + 500);

    // Long lines: the memo keeps at most MaxMemoChars characters, whole lines.
    const QByteArray longLine(TLineStream::MaxLineLength, 'w');
    for (int i = 0; i < 300; ++i)
        Page.ServerData(QByteArray::number(i) + longLine.left(TLineStream::MaxLineLength - 4) + "\r\n");
    const QString longText = MemoText();
    EXPECT_LE(longText.size(), TfmCashControl::MaxMemoChars);
    EXPECT_TRUE(longText.endsWith("299" + QString(TLineStream::MaxLineLength - 4, 'w') + "\n"));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d+w")).match(longText).hasMatch());   // whole lines
}

TEST(CashControlStream, LongLinesKeepTheirStartAndAMark)
{
    const QString mark = TLineStream::CutMark(4);
    EXPECT_EQ(TLineStream::CutMark(TLineStream::MaxLineLength),
              QStringLiteral("…[строка длиннее 8192 символов, остаток отброшен]"));
    const struct {
        QList<QByteArray> Chunks;
        QString Text;
        QList<int> Lines;
    } cases[] = {
        {{"abcd\r\nx"}, "abcd\nx", {2}},                      // at the bound: whole
        {{"abcde\r\nx"}, "abcd" + mark + "\nx", {2}},
        {{"ab", "cdefgh", "ij\r", "\nxyz"}, "abcd" + mark + "\nxyz", {1, 1, 1, 1}},
        {{"abcdefgh", "ijkl"}, "abcd" + mark, {1, 1}},           // counted all the same
        {{"abcdef\rabcdef\n"}, "abcd" + mark + "\nabcd" + mark + "\n", {2}},
    };
    for (const auto& c : cases) {
        TLineStream stream(4);
        QString text;
        QList<int> lines;
        for (const QByteArray& chunk : c.Chunks) {
            const TLineStream::TChunk out = stream.Add(QString::fromLatin1(chunk));
            text += out.Text;
            lines << out.Lines;
        }
        EXPECT_EQ(text, c.Text) << c.Chunks.join('|').constData();
        EXPECT_EQ(lines, c.Lines) << c.Chunks.join('|').constData();
    }
}

TEST_F(CashControlTest, TcpClientsSplitLinesAcrossChunks)
{
    Open();
    EXPECT_FALSE(Page.btnOpenPort->isEnabled());
    EXPECT_TRUE(Page.btnClosePort->isEnabled());
    QTcpSocket first, second;
    Connect(first);
    SendTcp(first, {"AB", "C\r\nD"});
    EXPECT_EQ(MemoText(), QStringLiteral("ABC\nD"));
    EXPECT_EQ(Page.LineCount(), 3);
    Connect(second);
    SendTcp(second, {"\r", "\n" + QByteArray::fromHex("8FE0A8A2A5E2")});
    EXPECT_EQ(MemoText(), QStringLiteral("ABC\nD\nПривет"));
    EXPECT_EQ(Page.LineCount(), 5);

    Page.btnClosePort->click();
    EXPECT_TRUE(Page.btnOpenPort->isEnabled());
    EXPECT_FALSE(Page.btnClosePort->isEnabled());
    EXPECT_EQ(Page.TcpPort(), 0);
    EXPECT_TRUE(WaitUntil([&] { return first.state() == QAbstractSocket::UnconnectedState; }));
    EXPECT_TRUE(WaitUntil([&] { return second.state() == QAbstractSocket::UnconnectedState; }));
}

TEST_F(CashControlTest, OpenResetsTheCounterAndListensOnTheChosenProtocolOnly)
{
    Open();
    Page.ServerData("x");
    Page.btnClear->click();
    EXPECT_EQ(Page.LineCount(), 1);
    Page.btnClosePort->click();
    Open(true);
    EXPECT_EQ(Page.LineCount(), 0);
    EXPECT_EQ(Page.lblCount->text(), QStringLiteral("0"));
    EXPECT_EQ(Page.TcpPort(), 0);

    QUdpSocket sender;
    for (const QByteArray& datagram : {QByteArray("AB"), QByteArray("C\r\nD")}) {
        const int before = Page.LineCount();
        ASSERT_EQ(sender.writeDatagram(datagram, QHostAddress::LocalHost, Page.UdpPort()), datagram.size());
        ASSERT_TRUE(WaitUntil([&] { return Page.LineCount() != before; }));
    }
    EXPECT_EQ(MemoText(), QStringLiteral("ABC\nD"));
    EXPECT_EQ(Page.LineCount(), 3);
}

TEST_F(CashControlTest, BadPortOrPortInUseShowsAMessageAndKeepsTheButtons)
{
    for (const char* text : {"abc", "", "65536", "-1"}) {
        Page.edtPort->setText(QString::fromLatin1(text));
        Page.btnOpenPort->click();
        EXPECT_EQ(TestDialogs().lastMessage(), QStringLiteral("Некорректный номер порта: \"%1\"").arg(text));
        EXPECT_TRUE(Page.btnOpenPort->isEnabled());
        EXPECT_FALSE(Page.btnClosePort->isEnabled());
    }
    for (const bool udp : {false, true}) {
        TfmCashControl other;
        (udp ? other.rbUDP : other.rbTCP)->setChecked(true);
        (udp ? Page.rbUDP : Page.rbTCP)->setChecked(true);
        other.edtPort->setText(QStringLiteral("0"));
        other.btnOpenPort->click();
        const quint16 taken = udp ? other.UdpPort() : other.TcpPort();
        ASSERT_NE(taken, 0);
        Page.edtPort->setText(QString::number(taken));
        Page.btnOpenPort->click();
        EXPECT_TRUE(TestDialogs().lastMessage().startsWith(QStringLiteral("Не удалось открыть порт %1").arg(taken)))
            << TestDialogs().lastMessage().toStdString();
        EXPECT_TRUE(Page.btnOpenPort->isEnabled());
        EXPECT_FALSE(Page.btnClosePort->isEnabled());
    }
}

TEST_F(CashControlTest, FloodKeepsThePageResponsiveAndTheMemoCapped)
{
    Open();
    const int total = 3 * TfmCashControl::MaxMemoLines;
    QByteArray flood;
    for (int i = 0; i < total; ++i)
        flood += "flood line " + QByteArray::number(i) + "\r\n";
    const quint16 port = Page.TcpPort();
    bool sent = false;
    std::thread sender([&] {
        QTcpSocket client;
        client.connectToHost(QHostAddress::LocalHost, port);
        if (!client.waitForConnected(5000))
            return;
        client.write(flood);
        while (client.bytesToWrite() > 0)
            if (!client.waitForBytesWritten(10000))
                return;
        sent = true;
        client.disconnectFromHost();
        if (client.state() != QAbstractSocket::UnconnectedState)
            client.waitForDisconnected(5000);
    });
    // Chunks cut lines, and the counter counts a cut line in each chunk.
    const QString last = QStringLiteral("flood line %1").arg(total - 1);
    const auto done = [&] { return Page.Memo->document()->lastBlock().previous().text() == last; };
    int ticksWhileReading = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        if (Page.LineCount() > 0 && !done())
            ++ticksWhileReading;
    });
    tick.start(0);
    const bool arrived = WaitUntil(done, 60000);
    sender.join();
    ASSERT_TRUE(arrived) << Page.LineCount();
    EXPECT_TRUE(sent);
    EXPECT_GE(Page.LineCount(), total);
    EXPECT_GE(ticksWhileReading, 2);
    EXPECT_LE(Page.Memo->document()->blockCount(), TfmCashControl::MaxMemoLines);
}

// Sends from a thread of its own: each client's bytes, all clients connected
// first; true when everything was written.
bool SendFromClients(quint16 port, const QList<QByteArray>& perClient)
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
            if (!client->waitForBytesWritten(20000))
                return false;
    for (auto& client : clients) {
        client->disconnectFromHost();
        if (client->state() != QAbstractSocket::UnconnectedState && !client->waitForDisconnected(10000))
            return false;
    }
    return true;
}

// The longest time the event loop went without running a 5 ms timer while
// `done` did not hold yet; -1 when `done` did not come within `ms`.
qint64 LongestStall(const std::function<bool()>& done, int ms)
{
    QElapsedTimer clock, since;
    clock.start();
    since.start();
    qint64 longest = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] { longest = std::max(longest, since.restart()); });
    tick.start(5);
    if (!WaitUntil(done, ms))
        return -1;
    return std::max(longest, since.elapsed());
}

TEST_F(CashControlTest, OneEndlessLineIsCutAndTheWindowKeepsRunning)
{
    Open();
    const QByteArray line(1 << 20, 'x');
    const quint16 port = Page.TcpPort();
    bool sent = false;
    std::thread sender([&] { sent = SendFromClients(port, {line + "\r\nend\r\n"}); });
    const qint64 stall = LongestStall([&] { return Page.Memo->document()->lastBlock().previous().text() == "end"; }, 30000);
    sender.join();
    EXPECT_TRUE(sent);
    ASSERT_GE(stall, 0) << Page.LineCount();
    EXPECT_LT(stall, 1000);
    EXPECT_EQ(MemoText(), QString(TLineStream::MaxLineLength, 'x') + TLineStream::CutMark(TLineStream::MaxLineLength) + "\nend\n");
}

TEST_F(CashControlTest, ManyClientsAreAllReadAndTheWindowKeepsRunning)
{
    Open();
    constexpr int Clients = 500, Lines = 100;
    QList<QByteArray> perClient;
    for (int c = 0; c < Clients; ++c) {
        QByteArray bytes;
        for (int l = 0; l < Lines; ++l)
            bytes += "client " + QByteArray::number(c) + " line " + QByteArray::number(l) + "\r\n";
        perClient << bytes;
    }
    const quint16 port = Page.TcpPort();
    bool sent = false;
    QElapsedTimer clock;
    clock.start();
    std::thread sender([&] { sent = SendFromClients(port, perClient); });
    const qint64 stall = LongestStall([&] { return Page.LineCount() >= Clients * Lines && Page.AllShown(); }, 30000);
    const qint64 whole = clock.elapsed();
    sender.join();
    EXPECT_TRUE(sent);
    ASSERT_GE(stall, 0) << Page.LineCount();
    EXPECT_LT(stall, 1000);
    // No client waits for the listener to take its connection.
    EXPECT_LT(whole, 2500);
    const QString text = MemoText();
    EXPECT_EQ(Page.LineCount(), Clients * Lines);
    EXPECT_EQ(Page.lblCount->text(), QString::number(Clients * Lines));
    // The memo keeps the latest lines, whole.
    EXPECT_EQ(text.count(QLatin1Char('\n')), TfmCashControl::MaxMemoLines - 1);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^(client \\d+ line \\d+\n)+$")).match(text).hasMatch());
}

TEST_F(CashControlTest, SaveWritesTheMemoAsAText)
{
    Page.ServerData(QByteArray::fromHex("8FE0A8A2A5E20D0A41"));
    const QString fileName = TestTempDir() + QStringLiteral("/cc.txt");
    TestDialogs().answerFile(fileName);
    Page.btnSaveData->click();
    QFile file(fileName);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray::fromHex("CFF0E8E2E5F20D0A410D0A"));
    ASSERT_EQ(TestDialogs().shown().size(), 1u);
    EXPECT_EQ(TestDialogs().shown()[0].file.fileName, QStringLiteral("CashControl"));
    EXPECT_EQ(TestDialogs().shown()[0].file.defaultExt, QStringLiteral("txt"));
}

TEST(cash_control_stream_fuzz, SeededCorpusAndMutations)
{
    const QList<QByteArray> corpus = {"", "AB", "C\r\nD", "\r", "\n", "\r\r\n\n", QByteArray::fromHex("8FE0A8A2A5E2"),
                                      QByteArray::fromHex("80B0DFF9FE0D"), QByteArray(300, '\r'),
                                      QByteArray(40, 'A') + "\r\n" + QByteArray(13, 'B')};
    const auto run = [](const QByteArray& input) {
        return LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.constData()),
                                      std::size_t(input.size()));
    };
    for (const QByteArray& seed : corpus)
        EXPECT_EQ(run(seed), 0);
    std::mt19937 random(20261107);
    const char alphabet[] = "\r\n\r\nA\x80\xB0\xE0\xFF\x00";
    for (int round = 0; round < 5000; ++round) {
        QByteArray input = corpus[int(random() % std::uint32_t(corpus.size()))];
        const int edits = 1 + int(random() % 6);
        for (int e = 0; e < edits; ++e) {
            const auto at = input.isEmpty() ? 0 : qsizetype(random() % std::uint32_t(input.size() + 1));
            const char c = alphabet[random() % (sizeof alphabet - 1)];
            if (random() % 4 == 0)
                input.truncate(at);
            else
                input.insert(at, c);
        }
        ASSERT_EQ(run(input), 0) << input.toHex().constData();
    }
}
