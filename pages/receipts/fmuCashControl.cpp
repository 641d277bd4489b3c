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
#include <QTextCursor>
#include <QTimer>
#include <QUdpSocket>

namespace {
// Chunks read in one go before the event loop runs again; the rest waits
// for the next turn.
constexpr int MaxChunksPerTurn = 32;
// A client's unread bytes are held up to this size; beyond it the
// operating system's buffers hold the sender back.
constexpr qint64 ClientBufferSize = 256 * 1024;

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

TLineStream::TChunk TLineStream::Add(const QString& text)
{
    TChunk chunk;
    chunk.Text.reserve(text.size());
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
        } else {
            chunk.Text += c;
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
    for (QTcpSocket* client : FTcpServer->findChildren<QTcpSocket*>()) {
        client->disconnect(this);
        client->abort();
        client->deleteLater();
    }
}

void TfmCashControl::btnClearClick()
{
    Memo->clear();
}

void TfmCashControl::btnSaveDataClick()
{
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
        connect(client, &QTcpSocket::readyRead, this, Guarded([this, client] { ReadClient(client); }));
        // What the client sent before it left is read before it goes.
        connect(client, &QTcpSocket::disconnected, this, Guarded([this, client] {
                    while (client->bytesAvailable() > 0)
                        ServerData(client->read(ChunkSize));
                    client->deleteLater();
                }));
        ReadClient(client);
    }
}

// Reads a bounded number of chunks; what is left is read on the next turn
// of the event loop, so a flooding sender cannot stall the page.
void TfmCashControl::ReadClient(QTcpSocket* client)
{
    for (int i = 0; i < MaxChunksPerTurn && client->bytesAvailable() > 0; ++i)
        ServerData(client->read(ChunkSize));
    if (client->bytesAvailable() > 0)
        QTimer::singleShot(0, client, Guarded([this, client] { ReadClient(client); }));
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
        QTextCursor cursor(Memo->document());
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(chunk.Text);
    }
    FLineCount += chunk.Lines;
    ShowCount();
}
