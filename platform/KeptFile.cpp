#include "platform/KeptFile.h"

#include "platform/AtomicFile.h"
#include "platform/FileRead.h"
#include "platform/Notices.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
// Drops the oldest copies of damaged files beyond the limit, never `made`.
void PruneAside(const QFileInfo& info, const QString& made)
{
    QDir dir = info.absoluteDir();
    const QStringList copies = dir.entryList({info.fileName() + QStringLiteral(".*.bad")}, QDir::Files, QDir::Time);
    int kept = 0;
    for (const QString& copy : copies)
        if (dir.filePath(copy) != made && ++kept >= TKeptFile::MaxBadCopies)
            dir.remove(copy);
}
} // namespace

QByteArrayView WithoutByteOrderMark(QByteArrayView bytes)
{
    return bytes.startsWith("\xEF\xBB\xBF") ? bytes.sliced(3) : bytes;
}

TKeptFile::TTexts TKeptFile::SettingsTexts()
{
    return {QStringLiteral("Файл настроек"), QStringLiteral("Программа работает с настройками по умолчанию"),
            QStringLiteral("Настройки не сохранены в файл"), QStringLiteral("настройки")};
}

TKeptFile::TKeptFile(QString fileName, qint64 maxSize, TTexts texts)
    : FFileName(std::move(fileName)), FMaxSize(maxSize), FTexts(std::move(texts))
{
}

// Keeps a damaged file's bytes beside it, named by their hash (so each
// damaged version is kept once), or moves a file too large to read aside,
// named by its time. Returns the copy's name, empty when that failed.
QString TKeptFile::KeepAside(const QByteArray* bytes)
{
    const QFileInfo info(FFileName);
    QString aside = FFileName + QLatin1Char('.');
    if (bytes) {
        aside += QString::fromLatin1(QCryptographicHash::hash(*bytes, QCryptographicHash::Sha1).toHex().left(12))
               + QStringLiteral(".bad");
        if (QFileInfo::exists(aside))
            return aside;
        if (!WriteFileAtomically(aside, *bytes).isEmpty())
            return {};
    } else {
        aside += info.lastModified().toString(QStringLiteral("yyyyMMdd-hhmmss")) + QStringLiteral(".bad");
        if (!QFile::rename(FFileName, aside))
            return {};
    }
    PruneAside(info, aside);
    return aside;
}

QByteArray TKeptFile::Read()
{
    FKeepFile = false;
    TFileRead read = ReadFileBounded(FFileName, FMaxSize);
    const QString& file = FTexts.file;
    const QString& defaults = FTexts.defaults;
    switch (read.status) {
    case TFileRead::Ok:
        return std::move(read.bytes);
    case TFileRead::Missing:
        return {};
    case TFileRead::TooLarge: {
        const QString aside = KeepAside(nullptr);
        if (aside.isEmpty()) {
            FKeepFile = true;
            Notify(QStringLiteral("%1 %2 слишком велик (%3 байт) и не отодвигается в сторону. %4 "
                                  "и не сохраняет их в этот файл.")
                       .arg(file, FFileName, QString::number(read.size), defaults));
        } else {
            Notify(QStringLiteral("%1 %2 слишком велик (%3 байт): он сохранён как %4. %5.")
                       .arg(file, FFileName, QString::number(read.size), aside, defaults));
        }
        return {};
    }
    case TFileRead::NotRegular:
        read.error = QStringLiteral("это не обычный файл");
        [[fallthrough]];
    case TFileRead::Unreadable:
        FKeepFile = true;
        Notify(QStringLiteral("%1 %2 не читается: %3. %4 и не сохраняет их в этот файл.")
                   .arg(file, FFileName, read.error, defaults));
        return {};
    }
    return {};
}

void TKeptFile::Damaged(const QByteArray& bytes, int bad, int firstBad, const QString& restored)
{
    const QString damaged = QStringLiteral("%1 %2 повреждён: строк не прочитано %3 (первая — строка %4).")
                                .arg(FTexts.file, FFileName, QString::number(bad), QString::number(firstBad));
    const QString aside = KeepAside(&bytes);
    if (aside.isEmpty()) {
        FKeepFile = true;
        Notify(damaged
               + QStringLiteral(" Копия файла не сохраняется, поэтому программа не сохраняет %1 в этот файл; %2.")
                     .arg(FTexts.contents, restored));
        return;
    }
    Notify(damaged + QLatin1Char(' ') + restored.left(1).toUpper() + restored.mid(1)
           + QStringLiteral(", файл сохранён как ") + aside + QLatin1Char('.'));
}

QString TKeptFile::Write(const QByteArray& bytes, const std::function<void()>& beforeReplace)
{
    if (FKeepFile)
        return QStringLiteral("файл %1 не прочитан, он не перезаписывается").arg(FFileName);
    return WriteFileAtomically(FFileName, bytes, beforeReplace);
}

void TKeptFile::NotifyWriteError(const QString& error) const
{
    Notify(QStringLiteral("%1 %2: %3. Файл остался прежним.").arg(FTexts.notSaved, FFileName, error));
}
