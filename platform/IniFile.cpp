#include "platform/IniFile.h"

#include "platform/AtomicFile.h"
#include "platform/Exceptions.h"

#include <QFile>
#include <QStringList>

namespace {
// The file's lines; none when the file is missing. Raises EIniFileException
// when it exists but cannot be read.
QStringList ReadLines(const QString& fileName)
{
    QFile f(fileName);
    if (!f.exists())
        return {};
    if (!f.open(QIODevice::ReadOnly))
        throw EIniFileException(QStringLiteral("Unable to read %1: %2").arg(fileName, f.errorString()));
    QString text = QString::fromUtf8(f.readAll());
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

bool IsSection(const QString& line, QString* name = nullptr)
{
    const QString t = line.trimmed();
    if (!t.startsWith(QLatin1Char('[')) || !t.endsWith(QLatin1Char(']')))
        return false;
    if (name)
        *name = t.mid(1, t.size() - 2).trimmed();
    return true;
}

// The line index of the key within the section, or -1; `end` gets the index
// after the section's last line (-1 when the section is missing).
int FindKey(const QStringList& lines, const QString& section, const QString& key, int* end)
{
    int found = -1;
    *end = -1;
    bool inSection = false;
    for (int i = 0; i < lines.size(); ++i) {
        QString name;
        if (IsSection(lines[i], &name)) {
            if (inSection)
                return found;
            inSection = name.compare(section, Qt::CaseInsensitive) == 0;
            if (inSection)
                *end = i + 1;
            continue;
        }
        if (!inSection)
            continue;
        if (!lines[i].trimmed().isEmpty())
            *end = i + 1;
        const int eq = lines[i].indexOf(QLatin1Char('='));
        if (found < 0 && eq > 0 && lines[i].left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0)
            found = i;
    }
    return found;
}
} // namespace

QString TIniFile::ReadString(const QString& section, const QString& key, const QString& defaultValue) const
{
    QStringList lines;
    try {
        lines = ReadLines(FFileName);
    } catch (const EIniFileException&) {
        return defaultValue;
    }
    int end;
    const int i = FindKey(lines, section, key, &end);
    return i < 0 ? defaultValue : lines[i].mid(lines[i].indexOf(QLatin1Char('=')) + 1).trimmed();
}

void TIniFile::WriteString(const QString& section, const QString& key, const QString& value)
{
    QStringList lines = ReadLines(FFileName);
    int end;
    const int i = FindKey(lines, section, key, &end);
    const QString line = key + QLatin1Char('=') + value;
    if (i >= 0)
        lines[i] = line;
    else if (end >= 0)
        lines.insert(end, line);
    else
        lines << QLatin1Char('[') + section + QLatin1Char(']') << line;

    const QByteArray text = (lines.join(QLatin1String("\r\n")) + QLatin1String("\r\n")).toUtf8();
    const QString error = WriteFileAtomically(FFileName, text);
    if (!error.isEmpty())
        throw EIniFileException(QStringLiteral("Unable to write to %1: %2").arg(FFileName, error));
}
