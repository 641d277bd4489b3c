#include "platform/AtomicFile.h"

#include <QSaveFile>

QString WriteFileAtomically(const QString& fileName, const QByteArray& data,
                            const std::function<void()>& beforeReplace)
{
    // Buffered, a write to a full disk would fail only in commit's flush,
    // which Qt does not check: the empty file would replace the old one.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    if (file.write(data) != data.size()) {
        // A short write sets no error: the disk filled up on the way.
        const QString error = file.error() != QFileDevice::NoError ? file.errorString()
                                                                    : QStringLiteral("No space left on device");
        file.cancelWriting();
        return error;
    }
    if (beforeReplace)
        beforeReplace();
    if (!file.commit())
        return file.errorString();
    return {};
}
