#include "pages/receipts/fmuCashControl.h"

#include "core/support/CodePage.h"
#include "core/support/FileUtils.h"
#include "core/support/untUtil.h"
#include "platform/Exceptions.h"
#include "platform/Guard.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/EditLimit.h"
#include "platform/ui/FormBuilder.h"

#include <QHostAddress>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QUdpSocket>
#include <algorithm>

namespace {
// Chunks read in one turn of the event loop from all TCP clients together,
// and datagrams; the rest waits for the next turn, so the window keeps
// painting.
constexpr int MaxChunksPerTurn = 32;
// A client's unread bytes are held up to this size; beyond it the
// operating system's buffers hold the sender back.
constexpr qint64 ClientBufferSize = 64 * 1024;
// Lines and characters put into the memo in one turn of the event loop.
constexpr int MaxShowLines = 300;
constexpr qsizetype MaxShowChars = 16 * 1024;
// Connections the system holds until the page takes them: many clients
// connecting at once are not turned away while a turn of the event loop runs.
constexpr int ListenBacklog = 1024;

quint16 PortOf(const QString& text)
{
    bool ok = false;
    const int port = text.trimmed().toInt(&ok);
    if (!ok || port < 0 || port > 65535)
        throw Exception(QStringLiteral("Некорректный номер порта: \"%1\"").arg(text));
    return quint16(port);
}

void OpenFailed(quint16 port, const QString& reason)
{
    throw Exception(QStringLiteral("Не удалось открыть порт %1: %2").arg(port).arg(reason));
}
} // namespace

QString GetLineData(const QByteArray& data, bool cp866)
{
    return AnsiToWide(cp866 ? Str866To1251(data) : data);
}

QString TLineStream::CutMark(qsizetype maxLine)
{
    return QStringLiteral("…[строка длиннее %1 символов, остаток отброшен]").arg(maxLine);
}

TLineStream::TChunk TLineStream::Add(const QString& text)
{
    TChunk chunk;
    chunk.Text.reserve(std::min(text.size(), FMaxLine + 64));
    qsizetype i = 0;
    if (FAfterCR && text.startsWith(QLatin1Char('\n')))
        i = 1;
    bool lineOpen = false;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
            chunk.Text += QLatin1Char('\n');
            ++chunk.Lines;
            lineOpen = false;
            FLineLength = 0;
        } else {
            if (FLineLength < FMaxLine)
                chunk.Text += c;
            else if (FLineLength == FMaxLine)
                chunk.Text += CutMark(FMaxLine);
            FLineLength = std::min(FLineLength + 1, FMaxLine + 1);
            lineOpen = true;
        }
    }
    if (lineOpen)
        ++chunk.Lines;
    if (!text.isEmpty())
        FAfterCR = text.endsWith(QLatin1Char('\r'));
    return chunk;
}

TfmCashControl::TfmCashControl(QWidget* owner)
    : TPage(owner, "fmCashControl", PageCaption), FTcpServer(new QTcpServer(this)), FUdpServer(new QUdpSocket(this))
{
    FTcpServer->setListenBacklogSize(ListenBacklog);
    using T = TfmCashControl;
    TFormBuilder<T> page(this, nullptr, true);
    auto left = page.Section();
    auto protocol = left.Columns();
    rbTCP = protocol.Whole(NewRadioButton(this, "rbTCP", QStringLiteral("TCP"), true));
    rbUDP = protocol.Whole(NewRadioButton(this, "rbUDP", QStringLiteral("UDP")));
    protocol.Space();
    SetEditLimit(left.Edit(NAMED(edtPort), "Порт:", QStringLiteral("4000")), 100);
    left.Check(NAMED(chbShowData), "Отображать данные", true);
    left.Check(NAMED(chbCP866), "Кодировка CP866", true);
    left.Row(QStringLiteral("Количество пакетов: "), lblCount = NewLabel(this, QStringLiteral("0"), "lblCount"));
    left.Buttons(4, {
        {NAMED(btnOpenPort), "Открыть порт", &T::btnOpenPortClick, {}, TRun::Plain},
        {NAMED(btnClosePort), "Закрыть порт", &T::btnClosePortClick, {}, TRun::Plain},
        {NAMED(btnClear), "Очистить", &T::btnClearClick, {}, TRun::Plain},
        {NAMED(btnSaveData), "Сохранить", &T::btnSaveDataClick, {}, TRun::Plain},
    });
    btnClosePort->setEnabled(false);
    page.Memo(NAMED(Memo), true);
    Memo->setMaximumBlockCount(MaxMemoLines);
    SetMinimumColumns(Memo, 60);

    connect(FTcpServer, &QTcpServer::newConnection, this, Guarded(this, &T::AcceptClients));
    connect(FUdpServer, &QUdpSocket::readyRead, this, Guarded(this, &T::ReadDatagrams));
}

TfmCashControl::~TfmCashControl()
{
    CloseTcp();
    FUdpServer->close();
}

quint16 TfmCashControl::TcpPort() const
{
    return FTcpServer->isListening() ? FTcpServer->serverPort() : 0;
}

quint16 TfmCashControl::UdpPort() const
{
    return FUdpServer->state() == QAbstractSocket::BoundState ? FUdpServer->localPort() : 0;
}

void TfmCashControl::ShowCount()
{
    lblCount->setText(QString::number(FLineCount));
}

void TfmCashControl::btnOpenPortClick()
{
    const quint16 port = PortOf(edtPort->text());
    FLineCount = 0;
    FStream.Reset();
    ShowCount();
    if (rbTCP->isChecked()) {
        CloseTcp();
        if (!FTcpServer->listen(QHostAddress::Any, port))
            OpenFailed(port, FTcpServer->errorString());
    } else {
        FUdpServer->close();
        if (!FUdpServer->bind(QHostAddress::Any, port, QAbstractSocket::DontShareAddress))
            OpenFailed(port, FUdpServer->errorString());
    }
    btnOpenPort->setEnabled(false);
    btnClosePort->setEnabled(true);
    btnClosePort->setFocus();
}

void TfmCashControl::btnClosePortClick()
{
    CloseTcp();
    FUdpServer->close();
    btnClosePort->setEnabled(false);
    btnOpenPort->setEnabled(true);
    btnOpenPort->setFocus();
}

// Stops listening and drops every client.
void TfmCashControl::CloseTcp()
{
    FTcpServer->close();
    FReady.clear();
    for (QTcpSocket* client : FTcpServer->findChildren<QTcpSocket*>()) {
        client->disconnect(this);
        client->abort();
        client->deleteLater();
    }
}

void TfmCashControl::btnClearClick()
{
    FPending.clear();
    FPendingLines = 0;
    Memo->clear();
}

void TfmCashControl::btnSaveDataClick()
{
    ShowData(true);
    const QString fileName = Dialogs::SaveFileName(QStringLiteral("Сохранить"),
                                                   QStringLiteral("Текстовый файл (*.txt)"),
                                                   QStringLiteral("CashControl"), QStringLiteral("txt"));
    if (!fileName.isEmpty())
        SaveTextFile(fileName, Memo->toPlainText());
}

void TfmCashControl::AcceptClients()
{
    while (QTcpSocket* client = FTcpServer->nextPendingConnection()) {
        client->setReadBufferSize(ClientBufferSize);
        connect(client, &QTcpSocket::readyRead, this, Guarded([this, client] { ClientReady(client); }));
        // What the client sent before it left is read before it goes.
        connect(client, &QTcpSocket::disconnected, this, Guarded([this, client] { ClientReady(client); }));
        ClientReady(client);
    }
}

// Queues a client with unread bytes for reading; a client that left and has
// nothing more to read goes.
void TfmCashControl::ClientReady(QTcpSocket* client)
{
    if (client->bytesAvailable() <= 0) {
        if (client->state() == QAbstractSocket::UnconnectedState)
            client->deleteLater();
        return;
    }
    if (client->property("ready").toBool())
        return;
    client->setProperty("ready", true);
    FReady.emplace_back(client);
    if (!FReadQueued) {
        FReadQueued = true;
        QTimer::singleShot(0, this, Guarded(this, &TfmCashControl::ReadClients));
    }
}

// Reads a bounded number of chunks from the waiting clients in turn; what
// is left is read on the next turn of the event loop, so neither a flooding
// sender nor many senders stall the window.
void TfmCashControl::ReadClients()
{
    FReadQueued = false;
    for (int i = 0; i < MaxChunksPerTurn && !FReady.empty(); ++i) {
        QPointer<QTcpSocket> client = FReady.front();
        FReady.pop_front();
        if (!client)
            continue;
        client->setProperty("ready", false);
        ServerData(client->read(ChunkSize));
        if (client)
            ClientReady(client);
    }
    if (!FReady.empty() && !FReadQueued) {
        FReadQueued = true;
        QTimer::singleShot(0, this, Guarded(this, &TfmCashControl::ReadClients));
    }
}

void TfmCashControl::ReadDatagrams()
{
    for (int i = 0; i < MaxChunksPerTurn && FUdpServer->hasPendingDatagrams(); ++i) {
        QByteArray data(ChunkSize, Qt::Uninitialized);
        const qint64 size = FUdpServer->readDatagram(data.data(), ChunkSize);
        if (size < 0)
            break;
        data.resize(size);
        ServerData(data);
    }
    if (FUdpServer->hasPendingDatagrams())
        QTimer::singleShot(0, FUdpServer, Guarded(this, &TfmCashControl::ReadDatagrams));
}

void TfmCashControl::ServerData(const QByteArray& data)
{
    const TLineStream::TChunk chunk = FStream.Add(GetLineData(data, chbCP866->isChecked()));
    if (chbShowData->isChecked() && !chunk.Text.isEmpty()) {
        FPending += chunk.Text;
        FPendingLines += chunk.Text.count(QLatin1Char('\n'));
        if (FPendingLines > 2 * MaxMemoLines || FPending.size() > 2 * MaxMemoChars)
            DropPending();
    }
    FLineCount += chunk.Lines;
    QueueShowData();
}

// Keeps of the text not yet shown only what the memo would keep: its last
// MaxMemoLines lines and MaxMemoChars characters, from the start of a line.
void TfmCashControl::DropPending()
{
    qsizetype cut = 0;
    for (qsizetype drop = FPendingLines - MaxMemoLines; drop > 0; --drop)
        cut = FPending.indexOf(QLatin1Char('\n'), cut) + 1;
    if (FPending.size() - cut > MaxMemoChars) {
        const qsizetype end = FPending.indexOf(QLatin1Char('\n'), FPending.size() - MaxMemoChars);
        cut = end >= 0 ? end + 1 : FPending.size() - MaxMemoChars;
    }
    FPending.remove(0, cut);
    FPendingLines = FPending.count(QLatin1Char('\n'));
}

void TfmCashControl::QueueShowData()
{
    if (FShowQueued)
        return;
    FShowQueued = true;
    QTimer::singleShot(0, this, Guarded([this] { ShowData(false); }));
}

void TfmCashControl::ShowData(bool all)
{
    FShowQueued = false;
    ShowCount();
    if (FPending.isEmpty())
        return;
    // A bounded part per turn, so the window keeps painting; the rest next turn.
    qsizetype take = all ? FPending.size() : std::min(FPending.size(), MaxShowChars);
    qsizetype lines = 0;
    for (qsizetype at = 0; at < take; ++at)
        if (FPending[at] == QLatin1Char('\n') && ++lines == MaxShowLines && !all)
            take = at + 1;
    QTextCursor cursor(Memo->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(FPending.first(take));
    FPending.remove(0, take);
    FPendingLines -= lines;
    TrimMemo();
    if (!FPending.isEmpty())
        QueueShowData();
}

bool TfmCashControl::AllShown() const
{
    return FPending.isEmpty() && !FShowQueued;
}

// Drops the oldest whole lines while the memo holds more than MaxMemoChars.
void TfmCashControl::TrimMemo()
{
    QTextDocument* document = Memo->document();
    const int excess = document->characterCount() - int(MaxMemoChars);
    if (excess <= 0)
        return;
    const QTextBlock block = document->findBlock(excess);
    QTextCursor cursor(document);
    cursor.setPosition(block.next().isValid() ? block.next().position() : excess, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
}
