#include "platform/FileWrite.h"

#include <cerrno>
#include <mutex>
#include <unistd.h>

namespace {
std::mutex g_faultMutex;
TWriteFault g_fault;

int InjectedFault()
{
    std::lock_guard lock(g_faultMutex);
    return g_fault ? g_fault() : 0;
}
} // namespace

TWriteFault SetWriteFault(TWriteFault fault)
{
    std::lock_guard lock(g_faultMutex);
    std::swap(g_fault, fault);
    return fault;
}

int WriteAt(int fd, qint64 offset, QByteArrayView bytes)
{
    if (const int fault = InjectedFault())
        return fault;
    const char* p = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::pwrite(fd, p, std::size_t(left), off_t(offset));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            return ENOSPC;
        p += n;
        left -= n;
        offset += n;
    }
    return 0;
}

QString SystemErrorText(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT: return QStringLiteral("нет места на диске");
    case EACCES:
    case EPERM: return QStringLiteral("нет прав на запись");
    case EROFS: return QStringLiteral("диск доступен только для чтения");
    case EIO: return QStringLiteral("ошибка ввода-вывода");
    case ENOENT: return QStringLiteral("папка или файл удалены");
    case ENOTDIR: return QStringLiteral("в пути не папка");
    case EISDIR: return QStringLiteral("на месте файла папка");
    case EFBIG: return QStringLiteral("файл слишком большой");
    case ENAMETOOLONG: return QStringLiteral("слишком длинное имя файла");
    case EMFILE:
    case ENFILE: return QStringLiteral("открыто слишком много файлов");
    default: return QStringLiteral("системная ошибка %1").arg(error);
    }
}
