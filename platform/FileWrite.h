#pragma once
// Writing bytes to an open file, with the reason in Russian when it fails
// (a full disk, no permission), and a fault seam for tests.
#include <QByteArrayView>
#include <QString>
#include <functional>

// Writes every byte at the offset; 0, or the errno of the failure (a short
// write that the disk cut shows as ENOSPC).
int WriteAt(int fd, qint64 offset, QByteArrayView bytes);

// What an errno means, for the user: "нет места на диске", "нет прав на запись"...
QString SystemErrorText(int error);

// Tests: before each write, `fault` says with which errno it fails (0: it
// does not). An empty function ends the faults. Returns the one set before.
using TWriteFault = std::function<int()>;
TWriteFault SetWriteFault(TWriteFault fault);
