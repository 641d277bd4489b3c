#include "platform/AtomicFile.h"

#include "platform/FileWrite.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

QString WriteFileAtomically(const QString& fileName, const QByteArray& data,
                            const std::function<void()>& beforeReplace)
{
    return WriteFileAtomicallyInPieces(fileName, [&data](const auto& put) { return put(data); }, beforeReplace);
}

QString WriteFileAtomicallyInPieces(const QString& fileName, const AtomicPieces& make,
                                    const std::function<void()>& beforeReplace)
{
    const QByteArray name = QFile::encodeName(fileName);
    QByteArray temp;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 16; ++attempt) {
        temp = name + ".tmp-" + QByteArray::number(QRandomGenerator::global()->generate64(), 36);
        fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return SystemErrorText(errno);
    }
    if (fd < 0)
        return SystemErrorText(EEXIST);
    // The temporary file goes on every path but the replacing rename.
    struct Temp {
        int Fd;
        const QByteArray& Name;
        bool Kept = false;
        ~Temp()
        {
            if (Fd >= 0)
                ::close(Fd);
            if (!Kept)
                ::unlink(Name.constData());
        }
    } guard{fd, temp};
    struct stat old {};
    if (::stat(name.constData(), &old) == 0 && S_ISREG(old.st_mode))
        ::fchmod(fd, old.st_mode & 07777);   // the file keeps its permissions

    qint64 at = 0;
    int error = 0;
    const bool made = make([&](QByteArrayView piece) {
        if (error == 0 && (error = WriteAt(fd, at, piece)) == 0)
            at += piece.size();
        return error == 0;
    });
    if (error != 0)
        return SystemErrorText(error);
    if (!made)
        return QStringLiteral("записываемые данные не читаются");
    if (::fsync(fd) != 0)
        return SystemErrorText(errno);
    if (beforeReplace)
        beforeReplace();
    const int closed = ::close(fd);
    guard.Fd = -1;
    if (closed != 0)
        return SystemErrorText(errno);
    if (::rename(temp.constData(), name.constData()) != 0)
        return SystemErrorText(errno);
    guard.Kept = true;
    return {};
}
