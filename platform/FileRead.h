#pragma once
// Reading a file whole, with a bound: only a regular file is read (a FIFO or
// a device in its place would block or never end), and a file larger than
// the bound is refused unread.
#include <QByteArray>
#include <QString>

struct TFileRead {
    enum Status { Ok, Missing, NotRegular, TooLarge, Unreadable };
    Status status = Missing;
    QByteArray bytes;   // Ok: the whole file
    qint64 size = 0;    // TooLarge: the file's size
    QString error;      // Unreadable: what went wrong
};

TFileRead ReadFileBounded(const QString& fileName, qint64 maxSize);

// A file the user named, for a reader that can use at most `maxSize` bytes
// of it: its bytes, or an Exception naming the file and what is wrong (for
// a file too large, its size and the bound).
QByteArray ReadUserFile(const QString& fileName, qint64 maxSize);
// The message of ReadUserFile for a result that is not Ok.
QString FileReadError(const QString& fileName, const TFileRead& read, qint64 maxSize);

// Bounds of what the programs read: texts and tables the user loads.
constexpr qint64 MaxTextFileSize = qint64(4) << 20;
