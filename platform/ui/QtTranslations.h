#pragma once
// Qt's own texts (the buttons of message boxes, the file dialog, the edit
// menus) in the program's language: Qt's Russian translations from the
// system's Qt translations folder (Debian: qt6-translations-l10n).
class QTranslator;
class QString;

// "RU": installs Qt's Russian translation into the application and returns
// it (the application owns it); any other language keeps Qt's English and
// returns null, as does a missing translation file.
QTranslator* InstallQtTranslations(const QString& Language);
