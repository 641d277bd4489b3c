#include "platform/IniFile.h"

#include "platform/Exceptions.h"

#include <QFileInfo>
#include <QSettings>

QString TIniFile::ReadString(const QString& section, const QString& key, const QString& defaultValue) const
{
    if (!QFileInfo::exists(FFileName))
        return defaultValue;
    QSettings ini(FFileName, QSettings::IniFormat);
    return ini.value(section + QLatin1Char('/') + key, defaultValue).toString();
}

void TIniFile::WriteString(const QString& section, const QString& key, const QString& value)
{
    QSettings ini(FFileName, QSettings::IniFormat);
    ini.setValue(section + QLatin1Char('/') + key, value);
    ini.sync();
    if (ini.status() != QSettings::NoError)
        throw EIniFileException(QStringLiteral("Unable to write to %1").arg(FFileName));
}
