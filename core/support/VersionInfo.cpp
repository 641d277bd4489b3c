#include "core/support/VersionInfo.h"

#include "core/support/Format.h"

#include <QCoreApplication>
#include <QStringList>

#ifndef LUMAQ_VERSION
#define LUMAQ_VERSION ""
#endif

TFileVersionInfo VersionFromText(const QString& text)
{
    const QStringList parts = text.split(u'.');
    if (parts.size() > 4)
        return {};
    uint16_t numbers[4] = {};
    for (int i = 0; i < parts.size(); ++i) {
        bool ok = false;
        const uint value = parts[i].toUInt(&ok);
        if (!ok || value > 0xFFFF)
            return {};
        numbers[i] = uint16_t(value);
    }
    return {numbers[0], numbers[1], numbers[2], numbers[3]};
}

TFileVersionInfo GetFileVersionInfo()
{
    return VersionFromText(QStringLiteral(LUMAQ_VERSION));
}

QString GetFileVersionInfoStr()
{
    const TFileVersionInfo v = GetFileVersionInfo();
    return Format("%d.%d.%d.%d", {int(v.MajorVersion), int(v.MinorVersion), int(v.Release), int(v.Build)});
}

QString GetModuleVersion()
{
    return GetFileVersionInfoStr();
}

QString GetModFileName()
{
    return QCoreApplication::applicationFilePath();
}

QString GetModuleFileName()
{
    return GetModFileName();
}
