#include "platform/AtomicFile.h"

#include <QSaveFile>

QString WriteFileAtomically(const QString& fileName, const QByteArray& data,
                            const std::function<void()>& beforeReplace)
{
    return WriteFileAtomicallyInPieces(fileName, [&data](const auto& put) { return put(data); }, beforeReplace);
}

QString WriteFileAtomicallyInPieces(const QString& fileName, const AtomicPieces& make,
                                    const std::function<void()>& beforeReplace)
{
    // Buffered, a write to a full disk would fail only in commit's flush,
    // which Qt does not check: the empty file would replace the old one.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    bool written = true;
    const bool made = make([&file, &written](QByteArrayView piece) {
        written = written && file.write(piece.data(), piece.size()) == piece.size();
        return written;
    });
    if (!written) {
        // A short write sets no error: the disk filled up on the way.
        const QString error = file.error() != QFileDevice::NoError ? file.errorString()
                                                                    : QStringLiteral("No space left on device");
        file.cancelWriting();
        return error;
    }
    if (!made) {
        file.cancelWriting();
        return QStringLiteral("the data to write could not be read");
    }
    if (beforeReplace)
        beforeReplace();
    if (!file.commit())
        return file.errorString();
    return {};
}
