#include "emulator/RegisterPortLock.h"

#include <QDir>
#include <QFile>
#include <map>
#include <mutex>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {
struct Hold {
    int Fd = -1;     // the locked file; -1 when none could be made
    int Count = 0;   // holders in this program
};
std::mutex g_mutex;
// Never destroyed: a driver object that a static owns may let go of its
// hold while the program exits.
std::map<QString, Hold>& Holds()
{
    static auto* holds = new std::map<QString, Hold>;
    return *holds;
}

QString KeyOf(const QString& folder)
{
    return QDir::cleanPath(QDir(folder).absolutePath());
}
} // namespace

bool RegisterPortLock::Held(const QString& folder)
{
    const QString key = KeyOf(folder);
    std::lock_guard lock(g_mutex);
    return Holds().count(key) > 0;
}

std::unique_ptr<RegisterPortLock> RegisterPortLock::Take(const QString& folder)
{
    const QString key = KeyOf(folder);
    std::lock_guard lock(g_mutex);
    auto it = Holds().find(key);
    if (it == Holds().end()) {
        QDir().mkpath(key);
        // Not inherited by child programs: a child must not keep the port after its parent ends.
        const QByteArray name = QFile::encodeName(key + QStringLiteral("/port.lock"));
        int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const bool taken = errno == EWOULDBLOCK;
            ::close(fd);
            if (taken)
                return nullptr;
            fd = -1;
        }
        it = Holds().emplace(key, Hold{fd, 0}).first;
    }
    ++it->second.Count;
    return std::unique_ptr<RegisterPortLock>(new RegisterPortLock(key));
}

RegisterPortLock::~RegisterPortLock()
{
    std::lock_guard lock(g_mutex);
    auto it = Holds().find(FFolder);
    if (it == Holds().end() || --it->second.Count > 0)
        return;
    if (it->second.Fd >= 0)
        ::close(it->second.Fd);   // releases the lock
    Holds().erase(it);
}
