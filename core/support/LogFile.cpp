#include "core/support/LogFile.h"

#include "core/support/CodePage.h"
#include "core/support/Format.h"
#include "platform/Exceptions.h"
#include "platform/Notices.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <unistd.h>

namespace {

std::unique_ptr<TLogFile>& Instance()
{
    static std::unique_ptr<TLogFile> instance;
    return instance;
}

QString copyName(const QString& fileName, int k)
{
    return fileName + "." + QString::number(k) + ".log";
}

} // namespace

QString ExceptionMessage(const std::exception& e)
{
    if (auto* ex = dynamic_cast<const Exception*>(&e))
        return ex->Message();
    return QString::fromLocal8Bit(e.what());
}

TLogFile& GlobalLogger()
{
    if (!Instance()) {
        Instance() = std::make_unique<TLogFile>();
        SetNoticeLog([](const QString& text) { GlobalLogger().Error(text); });
    }
    return *Instance();
}

void FreeLogFile()
{
    SetNoticeLog({});
    Instance().reset();
}

TLogFile::TLogFile() = default;

TLogFile::~TLogFile()
{
    CloseFile();
}

QString TLogFile::FileName() const
{
    std::lock_guard guard(FLock);
    return FFileName;
}

void TLogFile::SetFileName(const QString& value)
{
    std::lock_guard guard(FLock);
    if (value != FFileName) {
        CloseFile();
        FFileName = value;
    }
}

bool TLogFile::Enabled() const
{
    std::lock_guard guard(FLock);
    return FEnabled;
}

void TLogFile::SetEnabled(bool value)
{
    std::lock_guard guard(FLock);
    if (value != FEnabled) {
        FEnabled = value;
        CloseFile();
    }
}

void TLogFile::Write(const QString& text)
{
    std::lock_guard guard(FLock);
    if (!FEnabled)
        return;
    const QByteArray data = WideToAnsi(text);
    OpenFile();
    if (!FHandle)
        return;
    FHandle->write(data);
    FHandle->flush();
    if (FMaxFileSize > 0 && GetFileSize() > int64_t(FMaxFileSize) * 1048576)
        RollOver();
}

void TLogFile::AddLine(const QString& text)
{
    Write(GetLineHeader() + text + "\r\n");
}

void TLogFile::Trace(const QString& text) { AddLine("[TRACE] " + text); }
void TLogFile::Info(const QString& text) { AddLine("[ INFO] " + text); }
void TLogFile::Error(const QString& text) { AddLine("[ERROR] " + text); }
void TLogFile::Debug(const QString& text) { AddLine("[DEBUG] " + text); }

void TLogFile::Error(const QString& text, const std::exception& e)
{
    AddLine("[ERROR] " + text + " " + ExceptionMessage(e));
}

QString TLogFile::GetTimeStamp()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    const QTime t = now.time();
    return Format("%.2d.%.2d.%.4d %.2d:%.2d:%.2d.%.3d",
                  {d.day(), d.month(), d.year(), t.hour(), t.minute(), t.second(), t.msec()});
}

QString TLogFile::GetLineHeader()
{
    return Format("[%s] [%.8d] ", {GetTimeStamp(), int(gettid())});
}

void TLogFile::OpenFile()
{
    std::lock_guard guard(FLock);
    if (FHandle || FFileName.isEmpty())
        return;
    const QString folder = QFileInfo(FFileName).absolutePath();
    if (!QFileInfo::exists(folder))
        QDir().mkdir(folder);
    auto file = std::make_unique<QFile>(FFileName);
    if (!file->open(QIODevice::ReadWrite))
        return;
    file->seek(file->size());
    FHandle = std::move(file);
}

void TLogFile::CloseFile()
{
    std::lock_guard guard(FLock);
    FHandle.reset();
}

int64_t TLogFile::GetFileSize()
{
    std::lock_guard guard(FLock);
    return FHandle ? FHandle->size() : 0;
}

void TLogFile::RollOver()
{
    std::lock_guard guard(FLock);
    if (FMaxFileCount <= 0)
        return;
    const int n = FMaxFileCount;
    QFile::remove(FFileName + "." + QString::number(n));
    QFile::remove(copyName(FFileName, n));
    for (int k = n - 1; k >= 1; --k)
        if (QFile::exists(copyName(FFileName, k)))
            QFile::rename(copyName(FFileName, k), copyName(FFileName, k + 1));
    CloseFile();
    QFile::rename(FFileName, copyName(FFileName, 1));
    OpenFile();
}
