#pragma once
// Whole-file reading and the text files pages save and load: the ANSI code
// page (1251) with CR LF line ends; on loading, a byte-order mark selects
// UTF-8 or UTF-16 instead.
#include "platform/Exceptions.h"
#include "platform/FileRead.h"

#include <QByteArray>
#include <QString>

// A file that cannot be opened / created.
class EFOpenError : public Exception { using Exception::Exception; };
class EFCreateError : public Exception { using Exception::Exception; };

// The whole file as a byte string (opened read-only), for a reader that
// can use at most `maxSize` bytes. Raises EFOpenError, also for a file that
// is no regular file or is larger (its message names the size).
QByteArray ReadFileData(const QString& fileName, qint64 maxSize);

// Writes the text's lines ("\n", "\r\n" or "\r" separated), each ended by
// CR LF, in code page 1251; an empty text gives an empty file. Raises EFCreateError.
void SaveTextFile(const QString& fileName, const QString& text);
// The file's text with "\n" line ends (none after the last line).
// Raises EFOpenError (as ReadFileData).
QString LoadTextFile(const QString& fileName, qint64 maxSize = MaxTextFileSize);
// The text of a text file's bytes, as LoadTextFile gives it.
QString TextOfFileData(const QByteArray& data);
