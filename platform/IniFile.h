#pragma once
// An INI file: [section] headers and key=value lines. Section and key names
// are compared without regard to case. Each write goes to the file at once
// (temporary file, then rename); the rest of the file is kept as it is.
#include <QString>

class TIniFile {
public:
    explicit TIniFile(QString fileName) : FFileName(std::move(fileName)) {}
    QString FileName() const { return FFileName; }

    // The value, or `defaultValue` when the file, the section or the key is missing.
    QString ReadString(const QString& section, const QString& key, const QString& defaultValue) const;
    // Creates the file when missing; raises EIniFileException when it cannot
    // be read or written (the file then stays as it was).
    void WriteString(const QString& section, const QString& key, const QString& value);

private:
    QString FFileName;
};
