#pragma once
// TfmCashControl: the page "CashControl": listens on a TCP or UDP port, shows
// the text that arrives (optionally from code page 866) and counts its lines.
// It does not use the driver.
#include "core/pages/untPages.h"

#include <QByteArray>
#include <QString>

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
// a CR LF split between two chunks is one break.
class TLineStream {
public:
    struct TChunk {
        QString Text;  // to append at the end of what came before
        int Lines = 0; // the chunk's lines, a last one without a break included
    };
    TChunk Add(const QString& text);
    void Reset() { FAfterCR = false; }

private:
    bool FAfterCR = false;  // the last chunk ended with CR
};

class TfmCashControl : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "CashControl";
    // The memo keeps this many lines, the oldest dropped first.
    static constexpr int MaxMemoLines = 10000;
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

    // One chunk of incoming bytes.
    void ServerData(const QByteArray& data);
    int LineCount() const { return FLineCount; }
    // The port the TCP / UDP server listens on, 0 when it is closed.
    quint16 TcpPort() const;
    quint16 UdpPort() const;

private:
    void ReadClient(QTcpSocket* client);
    void ReadDatagrams();
    void AcceptClients();
    void CloseTcp();
    void ShowCount();

    QTcpServer* FTcpServer;
    QUdpSocket* FUdpServer;
    TLineStream FStream;
    int FLineCount = 0;
};
