#include "emulator/PrintServer.h"

#include "platform/Exceptions.h"

#include <QFile>
#include <QHostAddress>
#include <QList>
#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace {
void SetNonBlocking(int fd)
{
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
}

QByteArray Word(QByteArrayView line, qsizetype& at)
{
    while (at < line.size() && line[at] == ' ')
        ++at;
    const qsizetype from = at;
    while (at < line.size() && line[at] != ' ')
        ++at;
    return line.sliced(from, at - from).toByteArray();
}

// Milliseconds left until a deadline, at least 0.
int Left(std::chrono::steady_clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    return int(std::max<long long>(0, left.count()));
}
} // namespace

PrintServerRequest ParsePrintServerRequest(QByteArrayView line)
{
    static const std::pair<const char*, PrintServerRequest::Kind> commands[] = {
        {"LOCK", PrintServerRequest::Lock}, {"UNLOCK", PrintServerRequest::Unlock},
        {"OPEN", PrintServerRequest::Open}, {"ADMINUNLOCK", PrintServerRequest::AdminUnlock},
        {"ADMINUNLOCKALL", PrintServerRequest::AdminUnlockAll}, {"BYE", PrintServerRequest::Bye}};
    if (line.endsWith('\r'))
        line.chop(1);
    qsizetype at = 0;
    const QByteArray command = Word(line, at);
    const QByteArray argument = Word(line, at);
    if (!Word(line, at).isEmpty())
        return {};
    PrintServerRequest r;
    for (const auto& [name, kind] : commands)
        if (command == name)
            r.Command = kind;
    const bool needsPort = r.Command != PrintServerRequest::AdminUnlockAll && r.Command != PrintServerRequest::Bye;
    if (r.Command == PrintServerRequest::Invalid || needsPort == argument.isEmpty())
        return {};
    if (needsPort) {
        bool ok = false;
        r.ComNumber = argument.toInt(&ok);
        if (!ok || r.ComNumber < 1 || r.ComNumber > 256)
            return {};
    }
    return r;
}

TPrintServer::TPrintServer(quint16 port, std::chrono::milliseconds idleTimeout) : FIdleTimeout(idleTimeout)
{
    FListen = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (FListen < 0 || pipe(FWake) != 0)
        throw Exception(QStringLiteral("Сервер печати: сокет не создан"));
    int yes = 1;
    setsockopt(FListen, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(port);
    if (bind(FListen, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || listen(FListen, 16) != 0) {
        const int error = errno;
        close(FListen);
        close(FWake[0]);
        close(FWake[1]);
        throw Exception(QStringLiteral("Сервер печати: порт 127.0.0.1:%1 не открыт (%2)")
                            .arg(port)
                            .arg(QString::fromLocal8Bit(strerror(error))));
    }
    socklen_t size = sizeof a;
    getsockname(FListen, reinterpret_cast<sockaddr*>(&a), &size);
    FPort = ntohs(a.sin_port);
    SetNonBlocking(FListen);
}

TPrintServer::~TPrintServer()
{
    Stop();
    if (FThread.joinable())
        FThread.join();
    close(FListen);
    close(FWake[0]);
    close(FWake[1]);
}

void TPrintServer::Start()
{
    FThread = std::thread([this] { Serve(); });
}

void TPrintServer::Stop()
{
    FStop = true;
    const char byte = 0;
    [[maybe_unused]] auto written = write(FWake[1], &byte, 1);
}

QByteArray TPrintServer::Answer(int client, const PrintServerRequest& r)
{
    auto holder = FLocks.find(r.ComNumber);
    const bool other = holder != FLocks.end() && holder->second != client;
    switch (r.Command) {
    case PrintServerRequest::Lock:
        if (other)
            return "BUSY";
        FLocks[r.ComNumber] = client;
        return "OK";
    case PrintServerRequest::Open: return other ? "BUSY" : "OK";
    case PrintServerRequest::Unlock:
        if (holder != FLocks.end() && !other)
            FLocks.erase(holder);
        return "OK";
    case PrintServerRequest::AdminUnlock:
        if (holder != FLocks.end())
            FLocks.erase(holder);
        return "OK";
    case PrintServerRequest::AdminUnlockAll: FLocks.clear(); return "OK";
    case PrintServerRequest::Bye: ClientGone(client); return "OK";
    case PrintServerRequest::Invalid: break;
    }
    return "ERROR";
}

void TPrintServer::ClientGone(int client)
{
    std::erase_if(FLocks, [client](const auto& lock) { return lock.second == client; });
}

void TPrintServer::Serve()
{
    using Clock = std::chrono::steady_clock;
    struct Client {
        int Fd;
        QByteArray Pending;
        Clock::time_point Deadline;   // closed when no whole request came by then
    };
    std::vector<Client> clients;
    while (!FStop) {
        std::vector<pollfd> fds{{FWake[0], POLLIN, 0}, {FListen, POLLIN, 0}};
        auto wake = Clock::now() + std::chrono::seconds(1);
        for (const Client& c : clients) {
            fds.push_back({c.Fd, POLLIN, 0});
            wake = std::min(wake, c.Deadline);
        }
        if (poll(fds.data(), fds.size(), Left(wake)) < 0 && errno != EINTR)
            break;
        if (FStop)
            break;
        const std::size_t polled = clients.size();
        const auto now = Clock::now();
        if (fds[1].revents & POLLIN) {
            const int fd = accept4(FListen, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
            if (fd >= 0 && int(clients.size()) < MaxClients)
                clients.push_back({fd, {}, now + FIdleTimeout});
            else if (fd >= 0)
                close(fd);
        }
        for (std::size_t i = 0; i < polled; ++i) {
            Client& c = clients[i];
            bool gone = false;
            if (fds[i + 2].revents & (POLLIN | POLLHUP | POLLERR)) {
                char buffer[256];
                const ssize_t n = read(c.Fd, buffer, sizeof buffer);
                gone = n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR);
                if (n > 0)
                    c.Pending.append(buffer, n);
            }
            for (qsizetype end; !gone && (end = c.Pending.indexOf('\n')) >= 0;) {
                QByteArray answer = Answer(c.Fd, ParsePrintServerRequest(QByteArrayView(c.Pending).first(end)));
                c.Pending.remove(0, end + 1);
                answer += '\n';
                gone = send(c.Fd, answer.constData(), answer.size(), MSG_NOSIGNAL) != answer.size();
                c.Deadline = now + FIdleTimeout;
            }
            if (c.Pending.size() > MaxLine || c.Deadline <= now)
                gone = true;
            if (gone) {
                ClientGone(c.Fd);
                close(c.Fd);
                c.Fd = -1;
            }
        }
        std::erase_if(clients, [](const Client& c) { return c.Fd < 0; });
    }
    for (const Client& c : clients)
        close(c.Fd);
}

TPrintServerLink::~TPrintServerLink()
{
    Close();
}

void TPrintServerLink::Close()
{
    if (FSocket < 0)
        return;
    Request("BYE", ByeTimeoutMs);   // closes
    if (FSocket >= 0)
        close(FSocket);
    FSocket = -1;
}

bool TPrintServerLink::Connect(const QString& computerName, int timeoutMs)
{
    Close();
    QString host = computerName.trimmed();
    quint16 port = PrintServerPortOfBench();
    const qsizetype colon = host.lastIndexOf(QLatin1Char(':'));
    if (colon > 0 && host.count(QLatin1Char(':')) == 1) {
        bool ok = false;
        const int p = host.mid(colon + 1).toInt(&ok);
        if (!ok || p <= 0 || p > 65535)
            return false;
        port = quint16(p);
        host.truncate(colon);
    }
    if (host.isEmpty() || host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        host = QStringLiteral("127.0.0.1");
    QHostAddress address;
    // Other computers are matched in the emulator only, never dialled.
    if (!address.setAddress(host) || !address.isLoopback() || address.protocol() != QHostAddress::IPv4Protocol)
        return false;
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    SetNonBlocking(fd);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(address.toIPv4Address());
    a.sin_port = htons(port);
    if (connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        pollfd p{fd, POLLOUT, 0};
        int error = 0;
        socklen_t size = sizeof error;
        if (errno != EINPROGRESS || poll(&p, 1, std::max(timeoutMs, 1)) != 1 ||
            getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) != 0 || error != 0) {
            close(fd);
            return false;
        }
    }
    FSocket = fd;
    return true;
}

QByteArray TPrintServerLink::Request(const QByteArray& line, int timeoutMs)
{
    if (FSocket < 0)
        return {};
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 1));
    const QByteArray request = line + '\n';
    if (send(FSocket, request.constData(), request.size(), MSG_NOSIGNAL) != request.size()) {
        Drop();
        return {};
    }
    QByteArray answer;
    while (!answer.contains('\n') && answer.size() <= TPrintServer::MaxLine) {
        pollfd p{FSocket, POLLIN, 0};
        char buffer[128];
        ssize_t n = 0;
        if (poll(&p, 1, Left(deadline)) != 1 || (n = read(FSocket, buffer, sizeof buffer)) <= 0) {
            Drop();
            return {};
        }
        answer.append(buffer, n);
    }
    const qsizetype end = answer.indexOf('\n');
    if (end < 0) {   // not an answer of ours
        Drop();
        return {};
    }
    answer.truncate(end);
    if (line == "BYE")
        Drop();
    return answer;
}

void TPrintServerLink::Drop()
{
    close(FSocket);
    FSocket = -1;
}

quint16 PrintServerPortOf(QByteArrayView benchFile)
{
    for (const QByteArray& raw : benchFile.toByteArray().split('\n')) {
        QByteArray line = raw;
        if (const qsizetype hash = line.indexOf('#'); hash >= 0)
            line.truncate(hash);
        const qsizetype eq = line.indexOf('=');
        if (eq < 0 || line.left(eq).trimmed().toLower() != "printserver")
            continue;
        bool ok = false;
        const int port = line.mid(eq + 1).trimmed().toInt(&ok);
        if (ok && port > 0 && port <= 65535)
            return quint16(port);
    }
    return 0;
}

quint16 PrintServerPortOfBench()
{
    const QString fileName = qEnvironmentVariable("ORVEK_BENCH");
    QFile file(fileName);
    quint16 port = 0;
    if (!fileName.isEmpty() && file.open(QIODevice::ReadOnly))
        port = PrintServerPortOf(file.read(1 << 20));
    return port ? port : TPrintServer::DefaultPort;
}
