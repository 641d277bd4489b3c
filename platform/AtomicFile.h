#pragma once
// Replacing a file's bytes as a whole: they go to a temporary file beside it,
// unbuffered so that a full disk shows at the write, which then replaces the
// file. On any error the file stays as it was.
#include <QByteArray>
#include <QString>
#include <functional>

// Returns an empty text, or what went wrong (in Russian, SystemErrorText). `beforeReplace` (tests' fault
// injection) runs between writing and replacing; an exception from it leaves
// the file as it was and goes on to the caller.
QString WriteFileAtomically(const QString& fileName, const QByteArray& data,
                            const std::function<void()>& beforeReplace = {});

// The same with the bytes made piece by piece: `make` hands each piece to
// `put` (false once writing failed) and returns false when it could not
// make them all; the file then stays as it was.
using AtomicPieces = std::function<bool(const std::function<bool(QByteArrayView)>& put)>;
QString WriteFileAtomicallyInPieces(const QString& fileName, const AtomicPieces& make,
                                    const std::function<void()>& beforeReplace = {});
