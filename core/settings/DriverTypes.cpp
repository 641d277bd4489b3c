#include "core/settings/DriverTypes.h"

#include <QDir>
#include <QStandardPaths>

QString GetUserKorvelPath()
{
    QString path = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    path += QStringLiteral("KORVEL");
    QDir().mkdir(path);
    path += QStringLiteral("/Orvek");
    QDir().mkdir(path);
    return path;
}
