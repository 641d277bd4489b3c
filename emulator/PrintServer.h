#pragma once
// The print server: a small TCP server that keeps the COM port locks of all
// its clients (driver objects on any computer that reach it), and its link,
// which a driver object holds after ServerConnect.
//
// Protocol: one text line per request and per answer, at most MaxLine bytes.
//   LOCK <com>          OK | BUSY (another client holds the port)
//   UNLOCK <com>        OK (frees the port when this client holds it)
//   OPEN <com>          OK | BUSY (may this client use the port now)
//   ADMINUNLOCK <com>   OK (frees the port whoever holds it)
//   ADMINUNLOCKALL      OK (frees every port)
//   BYE                 OK (frees this client's ports; the link ends)
// Anything else is answered "ERROR"; a longer line ends the connection. A
// client that goes away frees its ports; so does one that sends no whole
// request for longer than the idle time-out (its connection is closed).
#include <QByteArrayView>
#include <QString>
#include <atomic>
#include <chrono>
#include <map>
#include <memory>
#include <thread>

struct PrintServerRequest {
    enum Kind { Invalid, Lock, Unlock, Open, AdminUnlock, AdminUnlockAll, Bye } Command = Invalid;
    int ComNumber = 0;
};

// Reads one request line (without its line end).
PrintServerRequest ParsePrintServerRequest(QByteArrayView line);

class TPrintServer {
public:
    static constexpr int MaxLine = 64;
    static constexpr int MaxClients = 64;
    static constexpr quint16 DefaultPort = 7790;
    static constexpr std::chrono::milliseconds DefaultIdleTimeout = std::chrono::seconds(120);

    // Listens on 127.0.0.1 at the port (0: one the system chooses); raises
    // Exception when it cannot. A connection without a whole request for
    // idleTimeout is closed.
    explicit TPrintServer(quint16 port = 0, std::chrono::milliseconds idleTimeout = DefaultIdleTimeout);
    ~TPrintServer();
    quint16 Port() const { return FPort; }

    // Serves clients on a thread of its own until destroyed.
    void Start();
    // Serves clients on this thread until Stop.
    void Serve();
    void Stop();

    // The answer to a request of a client (ports held by client ids).
    QByteArray Answer(int client, const PrintServerRequest& request);
    void ClientGone(int client);

private:
    int FListen = -1;
    int FWake[2] = {-1, -1};
    quint16 FPort = 0;
    std::chrono::milliseconds FIdleTimeout;
    std::atomic<bool> FStop = false;
    std::thread FThread;
    std::map<int, int> FLocks;   // COM number -> client
};

// The link of one driver object to a print server.
class TPrintServerLink {
public:
    ~TPrintServerLink();
    // Connects to "host[:port]" (the port: PortOfBench when none is given);
    // only loopback hosts are dialled. False when no server answers.
    bool Connect(const QString& computerName, int timeoutMs);
    bool Connected() const { return FSocket >= 0; }
    // Says goodbye (the server frees this client's ports at once) and closes.
    void Close();
    // Sends one request and reads its answer; "" when the link failed (it is closed then).
    QByteArray Request(const QByteArray& line, int timeoutMs);

private:
    static constexpr int ByeTimeoutMs = 500;
    void Drop();
    int FSocket = -1;
};

// The print server's port of the ORVEK_BENCH file ("printserver = N" line),
// TPrintServer::DefaultPort without one.
quint16 PrintServerPortOfBench();
// The port of a bench file's bytes; 0 when it names none.
quint16 PrintServerPortOf(QByteArrayView benchFile);
