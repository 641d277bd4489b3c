#pragma once
// TfmResetSettings: "Обнуление", the register's resets.
#include "core/pages/untPages.h"

class QPushButton;

class TfmResetSettings : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Обнуление";
    explicit TfmResetSettings(QWidget* owner = nullptr);

    QPushButton* btnResetSummary;
    QPushButton* btnResetSettings;
    QPushButton* btnInitEEPROM;

private:
    void btnResetSummaryClick();
    void btnResetSettingsClick();
    void btnInitEEPROMClick();
};
