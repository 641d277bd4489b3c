#include "emulator/OrvekSettings.h"

#include "platform/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <mutex>

namespace {
using P = OrvekProp;

const OrvekProp Saved[] = {
    P::ConnectionType, P::ComNumber, P::BaudRate, P::IPAddress, P::ComputerName, P::UseIPAddress,
    P::TCPPort, P::Timeout, P::ConnectionTimeout, P::TCPConnectionTimeout,
    P::VintrelCashRegisterCode,
};

// A larger file is not ours.
constexpr qint64 MaxFileSize = 64 * 1024;

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
    QFile f(OrvekSettingsFileName());
    if (!f.open(QIODevice::ReadOnly) || f.size() > MaxFileSize)
        return;
    for (const QByteArray& raw : f.readAll().split('\n')) {
        const QByteArray line = raw.trimmed();
        const qsizetype eq = line.indexOf('=');
        if (line.startsWith('#') || eq <= 0)
            continue;
        const QByteArray name = line.left(eq).trimmed();
        for (OrvekProp p : Saved) {
            if (NameOf(p) != name)
                continue;
            const QVariant value = ReadValue(p, line.mid(eq + 1).trimmed());
            if (value.isValid())
                props.Set(p, value);
        }
    }
}

QString SaveOrvekSettings(const OrvekPropertyStore& props)
{
    QByteArray text = "# Settings of the emulated driver\n";
    for (OrvekProp p : Saved)
        text += NameOf(p) + '=' + ValueText(props, p) + '\n';
    std::lock_guard lock(FileLock());
    const QString fileName = OrvekSettingsFileName();
    if (!QDir().mkpath(QFileInfo(fileName).path()))
        return QStringLiteral("%1: the folder cannot be made").arg(fileName);
    QFile current(fileName);
    if (current.size() == text.size() && current.open(QIODevice::ReadOnly) && current.readAll() == text)
        return {};   // stored as it is
    const QString error = WriteFileAtomically(fileName, text);
    return error.isEmpty() ? error : QStringLiteral("%1: %2").arg(fileName, error);
}
