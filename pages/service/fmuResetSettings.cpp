#include "pages/service/fmuResetSettings.h"

#include "core/driver/untDriver.h"
#include "platform/ui/FormBuilder.h"

TfmResetSettings::TfmResetSettings(QWidget* owner) : TPage(owner, "fmResetSettings", PageCaption)
{
    using T = TfmResetSettings;
    TFormBuilder<T> page(this);
    auto row = page.Columns();
    auto buttons = row.Section();
    buttons.Buttons(3, {
        {NAMED(btnResetSummary), QStringLiteral("Общее гашение"), &T::btnResetSummaryClick, "ResetSummary"},
        {NAMED(btnResetSettings), QStringLiteral("Технологическое обнуление"), &T::btnResetSettingsClick,
         "ResetSettings"},
        {NAMED(btnInitEEPROM), QStringLiteral("Инициализировать EEPROM"), &T::btnInitEEPROMClick, "InitEEPROM"},
    });
    auto notes = row.Section();
    notes.Space();
    notes.Space();
    notes.Label("lblEEPROMNote", QStringLiteral("(для Белорусского ФР)"));
    row.Space();
    page.Space();
}

void TfmResetSettings::btnResetSummaryClick()
{
    Driver().ResetSummary();
}

void TfmResetSettings::btnResetSettingsClick()
{
    Driver().ResetSettings();
}

void TfmResetSettings::btnInitEEPROMClick()
{
    Driver().InitEEPROM();
}
