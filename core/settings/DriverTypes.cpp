#include "core/settings/DriverTypes.h"

#include <QDir>
#include <QStandardPaths>

QString GetUserKorvelPath()
{
    QString path = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    // The whole path: the data folder itself may not exist yet.
    path += QStringLiteral("KORVEL/Orvek");
    QDir().mkpath(path);
    return path;
}
