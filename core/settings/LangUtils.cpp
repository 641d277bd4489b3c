#include "core/settings/LangUtils.h"

#include "core/settings/DriverTypes.h"
#include "platform/IniFile.h"

#include <QFileInfo>

namespace {
const QString Section = QStringLiteral("Locale");
const QString Key = QStringLiteral("Lang");
} // namespace

QString GetLanguageParamsFileName()
{
    return GetUserKorvelPath() + QStringLiteral("/locale.ini");
}

QString ReadLanguage()
{
    const QString fileName = GetLanguageParamsFileName();
    if (!QFileInfo::exists(fileName))
        return QStringLiteral("RU");
    const QString value = TIniFile(fileName).ReadString(Section, Key, QStringLiteral("RU"));
    return value == QLatin1String("EN") ? value : QStringLiteral("RU");
}

QString GetLanguage()
{
    static const QString language = ReadLanguage();
    return language;
}

void SetLanguage(const QString& Value)
{
    TIniFile(GetLanguageParamsFileName()).WriteString(Section, Key, Value);
}
