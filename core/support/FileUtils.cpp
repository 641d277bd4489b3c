#include "core/support/FileUtils.h"

#include "core/support/CodePage.h"
#include "platform/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

QByteArray ReadFileData(const QString& fileName, qint64 maxSize)
{
    TFileRead read = ReadFileBounded(fileName, maxSize);
    if (read.status == TFileRead::Missing || read.status == TFileRead::Unreadable)
        throw EFOpenError(QStringLiteral("Cannot open file \"%1\". %2").arg(QDir::toNativeSeparators(fileName), read.error));
    if (read.status != TFileRead::Ok)
        throw EFOpenError(FileReadError(QDir::toNativeSeparators(fileName), read, maxSize));
    return std::move(read.bytes);
}

void SaveTextFile(const QString& fileName, const QString& text)
{
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(u'\r', u'\n');
    if (!lines.isEmpty() && !lines.endsWith(u'\n'))
        lines += u'\n';
    lines.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));

    const QString error = WriteFileAtomically(fileName, WideToAnsi(lines));
    if (!error.isEmpty())
        throw EFCreateError(QStringLiteral("Cannot create file \"%1\". %2").arg(QDir::toNativeSeparators(fileName), error));
}

QString LoadTextFile(const QString& fileName, qint64 maxSize)
{
    return TextOfFileData(ReadFileData(fileName, maxSize));
}

QString TextOfFileData(const QByteArray& data)
{
    QString text;
    if (data.startsWith("\xEF\xBB\xBF"))
        text = QString::fromUtf8(data.mid(3));
    else if (data.startsWith("\xFF\xFE") || data.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(data.startsWith("\xFF\xFE") ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
        text = decoder.decode(data.mid(2));
    } else
        text = AnsiToWide(data);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    if (text.endsWith(u'\n'))
        text.chop(1);
    return text;
}
