#pragma once
// TfmCashControl: the page "CashControl": listens on a TCP or UDP port, shows
// the text that arrives (optionally from code page 866) and counts its lines.
// It does not use the driver.
#include "core/pages/untPages.h"

#include <QByteArray>
#include <QPointer>
#include <QString>
#include <deque>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTcpServer;
class QTcpSocket;
class QUdpSocket;

// The bytes as text: from code page 866 through 1251, or as 1251 text.
QString GetLineData(const QByteArray& data, bool cp866);

// The incoming text chunk by chunk: line breaks (CR, LF, CR LF) become "\n";
// a CR LF split between two chunks is one break. A line keeps its first
// maxLine characters; the rest of it is dropped and CutMark(maxLine) stands
// in its place, once (the lines are counted all the same).
class TLineStream {
public:
    static constexpr qsizetype MaxLineLength = 8192;
    struct TChunk {
        QString Text;  // to append at the end of what came before
        int Lines = 0; // the chunk's lines, a last one without a break included
    };
    explicit TLineStream(qsizetype maxLine = MaxLineLength) : FMaxLine(maxLine) {}
    TChunk Add(const QString& text);
    void Reset()
    {
        FAfterCR = false;
        FLineLength = 0;
    }
    static QString CutMark(qsizetype maxLine);

private:
    qsizetype FMaxLine;
    bool FAfterCR = false;     // the last chunk ended with CR
    qsizetype FLineLength = 0; // characters of the open line so far (counted up to maxLine + 1)
};

class TfmCashControl : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "CashControl";
    // The memo keeps this many lines and characters, the oldest lines
    // dropped first.
    static constexpr int MaxMemoLines = 10000;
    static constexpr qsizetype MaxMemoChars = 1 << 20;
    // Bytes read at most per read.
    static constexpr int ChunkSize = 2048;

    explicit TfmCashControl(QWidget* owner = nullptr);
    ~TfmCashControl() override;

    QRadioButton* rbTCP;
    QRadioButton* rbUDP;
    QLineEdit* edtPort;
    QCheckBox* chbShowData;
    QCheckBox* chbCP866;
    QPlainTextEdit* Memo;
    QLabel* lblCount;
    QPushButton* btnOpenPort;
    QPushButton* btnClosePort;
    QPushButton* btnClear;
    QPushButton* btnSaveData;

    void btnOpenPortClick();
    void btnClosePortClick();
    void btnClearClick();
    void btnSaveDataClick();

    // One chunk of incoming bytes: counted at once; its text reaches the memo
    // and the count the label in the next turns of the event loop (ShowData).
    void ServerData(const QByteArray& data);
    // Everything that came is in the memo and the label.
    bool AllShown() const;
    int LineCount() const { return FLineCount; }
    // The port the TCP / UDP server listens on, 0 when it is closed.
    quint16 TcpPort() const;
    quint16 UdpPort() const;

private:
    void ClientReady(QTcpSocket* client);
    void ReadClients();
    void ReadDatagrams();
    void AcceptClients();
    void CloseTcp();
    void ShowCount();
    // Puts what came into the label and into the memo: a bounded part per
    // turn of the event loop, or all of it.
    void ShowData(bool all);
    void QueueShowData();
    void DropPending();
    void TrimMemo();

    QTcpServer* FTcpServer;
    QUdpSocket* FUdpServer;
    TLineStream FStream;
    int FLineCount = 0;
    // Clients with unread bytes, in turn; a client is in it at most once.
    std::deque<QPointer<QTcpSocket>> FReady;
    bool FReadQueued = false;
    // Text not yet in the memo (what the memo would keep of it at most).
    QString FPending;
    qsizetype FPendingLines = 0;
    bool FShowQueued = false;
};
