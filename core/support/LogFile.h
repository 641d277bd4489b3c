#pragma once
// TLogFile: the process-wide text log. Off until a file name is set and it is
// enabled; while disabled nothing is created. Lines are written in the ANSI
// code page with CR LF; the file rolls over by size into numbered copies
// (<name>.1.log is the most recent). Any thread may write.
#include <QString>
#include <cstdint>
#include <exception>
#include <memory>
#include <mutex>

class QFile;

class TLogFile {
public:
    TLogFile();
    ~TLogFile();
    TLogFile(const TLogFile&) = delete;
    TLogFile& operator=(const TLogFile&) = delete;

    QString FileName() const;
    void SetFileName(const QString& value);
    bool Enabled() const;
    void SetEnabled(bool value);
    // Size limit in mebibytes; 0 or less: no limit.
    int MaxFileSize() const { return FMaxFileSize; }
    void SetMaxFileSize(int value) { FMaxFileSize = value; }
    // Numbered old files kept at roll-over; 0 or less: no roll-over.
    int MaxFileCount() const { return FMaxFileCount; }
    void SetMaxFileCount(int value) { FMaxFileCount = value; }

    // Writes the text as it stands (no header, no line end).
    void Write(const QString& text);
    // Header + text + CR LF.
    void AddLine(const QString& text);
    void Trace(const QString& text);
    void Info(const QString& text);
    void Error(const QString& text);
    void Error(const QString& text, const std::exception& e);
    void Debug(const QString& text);

    // "dd.mm.yyyy hh:nn:ss.zzz" of the local time.
    static QString GetTimeStamp();
    // "[<time stamp>] [<thread id, 8 digits>] "
    static QString GetLineHeader();

    void OpenFile();
    void CloseFile();
    // Size of the open file, 0 when none is open.
    int64_t GetFileSize();

private:
    void RollOver();

    std::unique_ptr<QFile> FHandle;
    QString FFileName;
    bool FEnabled = false;
    int FMaxFileSize = 0;
    int FMaxFileCount = 0;
    mutable std::recursive_mutex FLock;
};

// The program's one log, created on first use (closed, disabled, no name).
// It logs the notices (Notify) while it exists.
TLogFile& GlobalLogger();
// Frees the program's log (at program end).
void FreeLogFile();

// The message of an exception of our family, or its what() text.
QString ExceptionMessage(const std::exception& e);
