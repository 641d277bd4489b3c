#pragma once
// The language setting: locale.ini in the per-user driver folder, section
// "Locale", key "Lang", "RU" or "EN". It is only stored and shown.
#include <QString>

// The per-user driver folder, a delimiter and "locale.ini".
QString GetLanguageParamsFileName();
// "RU" or "EN"; decided by the first call of a run and held for the rest of it.
QString GetLanguage();
// The decision itself, from the file as it is now: "EN" only for exactly
// "EN"; "RU" for anything else, a missing key or a missing file.
QString ReadLanguage();
// Writes the value (file created when missing; raises EIniFileException when it
// cannot be written). GetLanguage keeps the value of the start.
void SetLanguage(const QString& Value);
