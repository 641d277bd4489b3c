#include "platform/IniFile.h"

#include "platform/Exceptions.h"
#include "platform/KeptFile.h"

namespace {
// Where a key is in the file's bytes: the line of the key (without its line
// break), and the place after the section's last line that is not blank.
struct TKeyPlace {
    qsizetype keyStart = -1;
    qsizetype keyEnd = -1;
    qsizetype sectionEnd = -1;   // -1: no such section
};

bool IsSection(QByteArrayView line, QByteArrayView* name)
{
    if (!line.startsWith('[') || !line.endsWith(']'))
        return false;
    *name = line.sliced(1, line.size() - 2).trimmed();
    return true;
}

// One pass over the lines, keeping nothing but offsets.
TKeyPlace FindKey(QByteArrayView bytes, const TIniFile::TCodec& codec, const QString& section, const QString& key)
{
    TKeyPlace place;
    bool inSection = false;
    for (qsizetype pos = bytes.size() - WithoutByteOrderMark(bytes).size(); pos < bytes.size();) {
        const qsizetype newline = bytes.indexOf('\n', pos);
        const qsizetype next = newline < 0 ? bytes.size() : newline + 1;
        QByteArrayView line = bytes.sliced(pos, (newline < 0 ? bytes.size() : newline) - pos);
        if (line.endsWith('\r'))
            line.chop(1);
        const QByteArrayView trimmed = line.trimmed();
        QByteArrayView name;
        if (IsSection(trimmed, &name)) {
            if (inSection)
                break;
            inSection = codec.decode(name.toByteArray()).compare(section, Qt::CaseInsensitive) == 0;
            if (inSection)
                place.sectionEnd = next;
        } else if (inSection && !trimmed.isEmpty()) {
            place.sectionEnd = next;
            const qsizetype eq = line.indexOf('=');
            if (place.keyStart < 0 && eq > 0
                && codec.decode(line.first(eq).trimmed().toByteArray()).compare(key, Qt::CaseInsensitive) == 0) {
                place.keyStart = pos;
                place.keyEnd = pos + line.size();
            }
        }
        pos = next;
    }
    return place;
}

TKeptFile IniKeptFile(const QString& fileName)
{
    return TKeptFile(fileName, MaxSettingsFileSize);
}
} // namespace

TIniFile::TIniFile(QString fileName, TCodec codec) : FFileName(std::move(fileName)), FCodec(std::move(codec))
{
    if (!FCodec.decode)
        FCodec.decode = [](const QByteArray& bytes) { return QString::fromUtf8(bytes); };
    if (!FCodec.encode)
        FCodec.encode = [](const QString& text) { return text.toUtf8(); };
}

QString TIniFile::ReadString(const QString& section, const QString& key, const QString& defaultValue) const
{
    TKeptFile file = IniKeptFile(FFileName);
    const QByteArray bytes = file.Read();
    const TKeyPlace place = FindKey(bytes, FCodec, section, key);
    if (place.keyStart < 0)
        return defaultValue;
    const QByteArrayView line = QByteArrayView(bytes).sliced(place.keyStart, place.keyEnd - place.keyStart);
    return FCodec.decode(line.sliced(line.indexOf('=') + 1).trimmed().toByteArray());
}

void TIniFile::WriteString(const QString& section, const QString& key, const QString& value)
{
    TKeptFile file = IniKeptFile(FFileName);
    QByteArray bytes = file.Read();
    if (!file.MayWrite())
        throw EIniFileException(QStringLiteral("Unable to read %1").arg(FFileName));
    const TKeyPlace place = FindKey(bytes, FCodec, section, key);
    const QByteArray line = FCodec.encode(key + QLatin1Char('=') + value);
    const QByteArray eol = bytes.contains('\n') && !bytes.contains("\r\n") ? "\n" : "\r\n";
    const bool brokenEnd = !bytes.isEmpty() && !bytes.endsWith('\n');
    if (place.keyStart >= 0)
        bytes.replace(place.keyStart, place.keyEnd - place.keyStart, line);
    else if (place.sectionEnd >= 0 && place.sectionEnd < bytes.size())
        bytes.insert(place.sectionEnd, line + eol);
    else if (place.sectionEnd >= 0)
        bytes += (brokenEnd ? eol : QByteArray()) + line + eol;
    else
        bytes += (brokenEnd ? eol : QByteArray()) + '[' + FCodec.encode(section) + ']' + eol + line + eol;

    const QString error = file.Write(bytes);
    if (!error.isEmpty())
        throw EIniFileException(QStringLiteral("Unable to write to %1: %2").arg(FFileName, error));
}
