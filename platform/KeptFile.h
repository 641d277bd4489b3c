#pragma once
// One of the programs' own files that they read at start and write back
// (the registry, driver.conf, the logical devices). Nothing in it is lost:
// - a file larger than the bound is moved aside unread ("<name>.<time>.bad");
// - a file that cannot be read (or is no regular file) is never written over;
// - a file with lines that cannot be read is copied aside first
//   ("<name>.<hash>.bad"); when the copy fails it is never written over;
// - a failed write leaves the file as it was.
// Each is told to the user once (Notify).
#include <QByteArray>
#include <QString>
#include <functional>

// The bound of the settings files (registry.reg, locale.ini, driver.conf):
// far above any real one.
constexpr qint64 MaxSettingsFileSize = qint64(4) << 20;

// A settings file's bytes after the UTF-8 byte-order mark that may start
// them: an editor's mark is read as nothing, whatever the first line is.
QByteArrayView WithoutByteOrderMark(QByteArrayView bytes);

class TKeptFile {
public:
    // The words of the notices, e.g. "Файл настроек", "Программа работает с
    // настройками по умолчанию", "Настройки не сохранены в файл", "настройки".
    struct TTexts {
        QString file;
        QString defaults;
        QString notSaved;
        QString contents;
    };
    static TTexts SettingsTexts();

    TKeptFile(QString fileName, qint64 maxSize, TTexts texts = SettingsTexts());
    QString FileName() const { return FFileName; }

    // The file's bytes; empty when it is missing, too large or unreadable.
    QByteArray Read();
    // The bytes read held `bad` lines that could not be read, the first at
    // line `firstBad`; `restored` tells what was kept of the rest.
    void Damaged(const QByteArray& bytes, int bad, int firstBad, const QString& restored);
    // False when the file could not be read or kept aside.
    bool MayWrite() const { return !FKeepFile; }
    void KeepFile() { FKeepFile = true; }
    // Writes the file through the checked atomic write;
    // returns empty, or what went wrong. A file that may not be written is
    // left as it is, with an error.
    QString Write(const QByteArray& bytes, const std::function<void()>& beforeReplace = {});
    // Tells the user of a failed write, once.
    void NotifyWriteError(const QString& error) const;

    // Copies of damaged files kept beside the file.
    static constexpr int MaxBadCopies = 5;

private:
    QString KeepAside(const QByteArray* bytes);

    QString FFileName;
    qint64 FMaxSize;
    TTexts FTexts;
    bool FKeepFile = false;
};
