#include "emulator/OrvekSettings.h"

#include "platform/KeptFile.h"
#include "platform/Notices.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <mutex>
#include <utility>
#include <vector>

namespace {
using P = OrvekProp;

const OrvekProp Saved[] = {
    P::ConnectionType, P::ComNumber, P::BaudRate, P::IPAddress, P::ComputerName, P::UseIPAddress,
    P::TCPPort, P::Timeout, P::ConnectionTimeout, P::TCPConnectionTimeout,
    P::VintrelCashRegisterCode,
};

QByteArray NameOf(OrvekProp p)
{
    const std::string_view name = PropInfo(p).Name;
    return QByteArray(name.data(), qsizetype(name.size()));
}

QByteArray ValueText(const OrvekPropertyStore& props, OrvekProp p)
{
    switch (PropInfo(p).Kind) {
    case OrvekKind::WideString: return props.Str(p).toUtf8().toPercentEncoding();
    case OrvekKind::WordBool: return props.Bool(p) ? "1" : "0";
    default: return QByteArray::number(props.Int(p));
    }
}

// The value of a line, or an invalid one when it does not read.
QVariant ReadValue(OrvekProp p, const QByteArray& text)
{
    bool ok = false;
    switch (PropInfo(p).Kind) {
    case OrvekKind::WideString: return QString::fromUtf8(QByteArray::fromPercentEncoding(text));
    case OrvekKind::WordBool:
        if (text == "0" || text == "1")
            return text == "1";
        return {};
    default: {
        const int value = text.toInt(&ok);
        return ok ? QVariant(value) : QVariant();
    }
    }
}

// Each line of the file: (property, value); a line that does not read counts
// in *bad, the first (from 1) in *firstBad. Blank lines and comments are no
// values.
std::vector<std::pair<OrvekProp, QVariant>> ParseSettings(const QByteArray& bytes, int* bad, int* firstBad)
{
    std::vector<std::pair<OrvekProp, QVariant>> values;
    *bad = 0;
    const QList<QByteArray> lines = WithoutByteOrderMark(bytes).toByteArray().split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const qsizetype eq = line.indexOf('=');
        const QByteArray name = line.left(std::max<qsizetype>(eq, 0)).trimmed();
        bool read = false;
        for (OrvekProp p : Saved) {
            if (eq <= 0 || NameOf(p) != name)
                continue;
            const QVariant value = ReadValue(p, line.mid(eq + 1).trimmed());
            read = value.isValid();
            if (read)
                values.emplace_back(p, value);
        }
        if (!read && (*bad)++ == 0)
            *firstBad = int(i + 1);
    }
    return values;
}

// The file as TKeptFile reads it: too large moved aside, unreadable never
// written over, damaged copied aside; each told once.
std::vector<std::pair<OrvekProp, QVariant>> ReadSettings(TKeptFile& file, QByteArray* bytes = nullptr)
{
    const QByteArray read = file.Read();
    int bad = 0, firstBad = 0;
    auto values = ParseSettings(read, &bad, &firstBad);
    if (bad > 0)
        file.Damaged(read, bad, firstBad, QStringLiteral("остальные значения восстановлены"));
    if (bytes)
        *bytes = read;
    return values;
}

std::mutex& FileLock()
{
    static std::mutex lock;
    return lock;
}
} // namespace

QString OrvekSettingsFileName()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
         + QStringLiteral("/orvek/driver.conf");
}

void LoadOrvekSettings(OrvekPropertyStore& props)
{
    std::lock_guard lock(FileLock());
    TKeptFile file(OrvekSettingsFileName(), MaxSettingsFileSize);
    for (const auto& [p, value] : ReadSettings(file))
        props.Set(p, value);
}

QString SaveOrvekSettings(const OrvekPropertyStore& props)
{
    QByteArray text = "# Settings of the emulated driver\n";
    for (OrvekProp p : Saved)
        text += NameOf(p) + '=' + ValueText(props, p) + '\n';
    std::lock_guard lock(FileLock());
    // Read again: what cannot be read now is kept as well.
    TKeptFile file(OrvekSettingsFileName(), MaxSettingsFileSize);
    QByteArray current;
    ReadSettings(file, &current);
    if (current == text)
        return {};   // stored as it is
    QDir().mkpath(QFileInfo(file.FileName()).absolutePath());
    const QString error = file.Write(text);
    return error.isEmpty() ? error : QStringLiteral("%1: %2").arg(file.FileName(), error);
}

void NotifyOrvekSettingsNotSaved(const QString& error)
{
    Notify(QStringLiteral("Не удалось сохранить настройки драйвера: %1. Файл остался прежним.").arg(error));
}
