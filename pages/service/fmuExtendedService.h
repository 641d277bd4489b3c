#pragma once
// TfmExtendedService: "Расширенное", one-click service actions: writes of
// the service table under the service password, the two print-form presets,
// raw FE service commands, the board's firmware version and the FN's OSU
// support.
#include "core/pages/untPages.h"

#include <cstdint>

class QComboBox;
class QLineEdit;
class QPushButton;

class TfmExtendedService : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Расширенное";
    explicit TfmExtendedService(QWidget* owner = nullptr);

    static QString OsuSupportValueToString(int Value);

    QPushButton* btnSetDFU;
    QPushButton* btnFormatSD;
    QPushButton* SetLastFDDate;
    QPushButton* btnEnableWorkaroundBugFN;
    QPushButton* DisableWorkaroundBugFN;
    QPushButton* btnEnable100Mbit;
    QPushButton* btnDisable100Mbit;
    QPushButton* btnSetNarrowTape;
    QPushButton* btnSetWideTape;
    QPushButton* btnSetFNTimeout2sec;
    QPushButton* btnSetFNTimeout30sec;
    QComboBox* cbLogSettings;
    QPushButton* btnSetLogging;
    QPushButton* btnGetFwVersion;
    QLineEdit* edtFwVersion;
    QPushButton* btnDecreaseReceiptSensorSensitive;
    QPushButton* btnResetReceiptSensorSensitive;
    QPushButton* btnFNOSUSupport;
    QLineEdit* edtOSUSupport;
    QPushButton* bntEnableClassicPrint;
    QPushButton* bntEnableCompactPrint;

private:
    void btnSetDFUClick();
    void btnFormatSDClick();
    void SetLastFDDateClick();
    void btnEnableWorkaroundBugFNClick();
    void DisableWorkaroundBugFNClick();
    void btnEnable100MbitClick();
    void btnDisable100MbitClick();
    void btnSetNarrowTapeClick();
    void btnSetWideTapeClick();
    void btnSetFNTimeout2secClick();
    void btnSetFNTimeout30secClick();
    void btnSetLoggingClick();
    void btnGetFwVersionClick();
    void btnDecreaseReceiptSensorSensitiveClick();
    void btnResetReceiptSensorSensitiveClick();
    void btnFNOSUSupportClick();
    void bntEnableClassicPrintClick();
    void bntEnableCompactPrintClick();

    // One field of row 1 written under the service password; the user's
    // Password is back on every path.
    static void SetServiceTableValue(int32_t Table, int32_t Field, int32_t Value);
    // One field of row 1 written with the current Password.
    static void SetTableValue(int32_t Table, int32_t Field, int32_t Value);
    // Six bytes FE, the sub-command and four parameters, checked.
    static void SendServiceCommand(const QByteArray& Bytes);
    // The print-form preset: the listed values of tables 1, 17 and 8.
    static void SetPrintForm(int32_t Format, int32_t Spacing, int32_t Form, int32_t Item1, int32_t Items,
                             int32_t Item18, int32_t Item24);
};
