#include "platform/FileRead.h"

#include "platform/Exceptions.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

TFileRead ReadFileBounded(const QString& fileName, qint64 maxSize)
{
    TFileRead result;
    // Not blocking: opening a FIFO for reading would wait for a writer.
    const int fd = ::open(QFile::encodeName(fileName).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        result.status = errno == ENOENT ? TFileRead::Missing : TFileRead::Unreadable;
        result.error = QString::fromLocal8Bit(std::strerror(errno));
        return result;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        result.status = TFileRead::NotRegular;
        ::close(fd);
        return result;
    }
    if (st.st_size > maxSize) {
        result.status = TFileRead::TooLarge;
        result.size = st.st_size;
        ::close(fd);
        return result;
    }
    // The file may grow while it is read: never more than the bound.
    result.bytes.resize(qsizetype(st.st_size) + 1);
    qsizetype got = 0;
    while (true) {
        if (got == result.bytes.size()) {
            if (got > maxSize)
                break;
            result.bytes.resize(qsizetype(std::min<qint64>(maxSize + 1, qint64(got) * 2 + 4096)));
        }
        const ssize_t n = ::read(fd, result.bytes.data() + got, size_t(result.bytes.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            result.status = TFileRead::Unreadable;
            result.error = QString::fromLocal8Bit(std::strerror(errno));
            result.bytes.clear();
            ::close(fd);
            return result;
        }
        if (n == 0)
            break;
        got += n;
    }
    ::close(fd);
    if (got > maxSize) {
        result.status = TFileRead::TooLarge;
        result.size = got;
        result.bytes.clear();
        return result;
    }
    result.bytes.truncate(got);
    result.status = TFileRead::Ok;
    return result;
}

QString FileReadError(const QString& fileName, const TFileRead& read, qint64 maxSize)
{
    switch (read.status) {
    case TFileRead::Ok:
        return {};
    case TFileRead::NotRegular:
        return QStringLiteral("Файл \"%1\" не является обычным файлом").arg(fileName);
    case TFileRead::TooLarge:
        return QStringLiteral("Файл \"%1\" слишком велик: %2 байт (не более %3 байт)")
            .arg(fileName, QString::number(read.size), QString::number(maxSize));
    default:
        return QStringLiteral("Не удалось открыть файл \"%1\": %2").arg(fileName, read.error);
    }
}

QByteArray ReadUserFile(const QString& fileName, qint64 maxSize)
{
    TFileRead read = ReadFileBounded(fileName, maxSize);
    if (read.status != TFileRead::Ok)
        throw Exception(FileReadError(fileName, read, maxSize));
    return std::move(read.bytes);
}
