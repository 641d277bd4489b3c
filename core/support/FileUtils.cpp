#include "core/support/FileUtils.h"

#include "core/support/CodePage.h"
#include "platform/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

namespace {

QString fileMessage(const char* what, const QString& fileName, const QFileDevice& file)
{
    return QStringLiteral("%1 \"%2\". %3").arg(QLatin1String(what), QDir::toNativeSeparators(fileName), file.errorString());
}

} // namespace

QByteArray ReadFileData(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EFOpenError(fileMessage("Cannot open file", fileName, file));
    return file.readAll();
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

QString LoadTextFile(const QString& fileName)
{
    return TextOfFileData(ReadFileData(fileName));
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
