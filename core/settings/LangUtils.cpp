#include "core/settings/LangUtils.h"

#include "core/settings/DriverTypes.h"
#include "core/support/CodePage.h"
#include "platform/IniFile.h"

#include <QFileInfo>

namespace {
const QString Section = QStringLiteral("Locale");
const QString Key = QStringLiteral("Lang");

// The file is the driver's, in the ANSI code page.
TIniFile LanguageFile()
{
    return TIniFile(GetLanguageParamsFileName(), {&AnsiToWide, &WideToAnsi});
}
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
    const QString value = LanguageFile().ReadString(Section, Key, QStringLiteral("RU"));
    return value == QLatin1String("EN") ? value : QStringLiteral("RU");
}

QString GetLanguage()
{
    static const QString language = ReadLanguage();
    return language;
}

void SetLanguage(const QString& Value)
{
    LanguageFile().WriteString(Section, Key, Value);
}
