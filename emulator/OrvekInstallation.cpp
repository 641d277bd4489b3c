#include "emulator/OrvekInstallation.h"

#include <QStringList>
#include <mutex>

namespace {
std::mutex& InstallationLock()
{
    static std::mutex lock;
    return lock;
}

OrvekInstallation& Installation()
{
    static OrvekInstallation installation;
    return installation;
}
} // namespace

QString OrvekInstallation::VersionText() const
{
    return QStringLiteral("%1.%2.%3.%4").arg(Major).arg(Minor).arg(Release).arg(Build);
}

OrvekInstallation CurrentOrvekInstallation()
{
    std::lock_guard lock(InstallationLock());
    return Installation();
}

OrvekInstallation SetOrvekInstallation(const OrvekInstallation& installation)
{
    std::lock_guard lock(InstallationLock());
    OrvekInstallation before = Installation();
    Installation() = installation;
    return before;
}

OrvekInstallation OrvekInstallationFromEnvironment()
{
    OrvekInstallation result;
    result.Installed = qEnvironmentVariable("ORVEK_DRIVER_MISSING") != QLatin1String("1");
    const QString version = qEnvironmentVariable("ORVEK_DRIVER_VERSION");
    if (version.isEmpty())
        return result;
    const QStringList parts = version.split(QLatin1Char('.'));
    int numbers[4] = {};
    bool ok = parts.size() == 4;
    for (int i = 0; ok && i < 4; ++i)
        numbers[i] = parts[i].toInt(&ok);
    if (!ok) {
        qWarning("ORVEK_DRIVER_VERSION \"%s\" is not four numbers; ignored", qPrintable(version));
        return result;
    }
    result.Major = numbers[0];
    result.Minor = numbers[1];
    result.Release = numbers[2];
    result.Build = numbers[3];
    return result;
}
