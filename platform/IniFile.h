#pragma once
// An INI file: [section] headers and key=value lines. Section and key names
// are compared without regard to case. Each write goes to the file at once
// (temporary file, then rename) and changes the bytes of that one line
// alone: every other byte of the file is kept as it is, whatever its
// encoding. The file is one of the programs' own (TKeptFile): one larger
// than the bound is moved aside unread, one that cannot be read is never
// written over; each is told to the user once.
#include <QByteArray>
#include <QString>
#include <functional>

class TIniFile {
public:
    // The file's text encoding: UTF-8 unless given.
    struct TCodec {
        std::function<QString(const QByteArray&)> decode;
        std::function<QByteArray(const QString&)> encode;
    };
    explicit TIniFile(QString fileName, TCodec codec = {});
    QString FileName() const { return FFileName; }

    // The value, or `defaultValue` when the file, the section or the key is missing.
    QString ReadString(const QString& section, const QString& key, const QString& defaultValue) const;
    // Creates the file when missing; raises EIniFileException when it cannot
    // be read or written (the file then stays as it was).
    void WriteString(const QString& section, const QString& key, const QString& value);

private:
    QString FFileName;
    TCodec FCodec;
};
