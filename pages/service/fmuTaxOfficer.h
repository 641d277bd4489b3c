#pragma once
// TfmTaxOfficer: "НИ", the tax inspector's operations of the older
// registers: fiscalisation and its parameters, the fiscal memory's range of
// dates and sessions, the fiscal reports and the inspector's operational
// report. Every button asks first when the inspector's password would be
// entered anew on a register that locks on a wrong one.
#include "core/pages/untPages.h"

#include <cstdint>

class QComboBox;
class QDateTimeEdit;
class QLineEdit;
class QPushButton;
class QSpinBox;

// The question before the inspector's password is entered; true for Yes.
bool AskTaxPassword();
// The inspector's password differs from the one entered last.
bool TaxPasswordChanges();
// The range the driver answered (FirstSessionNumber ... LastSessionDate) into the controls.
void ShowSessionRange(QSpinBox* first, QSpinBox* last, QDateTimeEdit* firstDate, QDateTimeEdit* lastDate);

class TfmTaxOfficer : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "НИ";
    explicit TfmTaxOfficer(QWidget* owner = nullptr);

    QLineEdit* edtNewPasswordTI;
    QLineEdit* edtRNM;
    QLineEdit* edtINN;
    QSpinBox* seRegistrationNumber;
    QLineEdit* edtFreeRegistration;
    QLineEdit* edtSessionNumber;
    QLineEdit* edtDate;
    QDateTimeEdit* dtpFirstSessionDate;
    QDateTimeEdit* dtpLastSessionDate;
    QSpinBox* seFirstSessionNumber;
    QSpinBox* seLastSessionNumber;
    QComboBox* cbReportType;
    QPushButton* btnFiscalization;
    QPushButton* btnGetFiscalizationParameters;
    QPushButton* btnGetRangeDatesAndSessions;
    QPushButton* btnFiscalReportforDatesRange;
    QPushButton* btnFiscalReportforSessionRange;
    QPushButton* btnInterruptFullReport;
    QPushButton* btnOperationalTaxReport;

    // True to go on: asks only on a register with the password lock when
    // the password changes.
    bool ConfirmNI();

private:
    void btnFiscalizationClick();
    void btnGetFiscalizationParametersClick();
    void btnGetRangeDatesAndSessionsClick();
    void btnFiscalReportforDatesRangeClick();
    void btnFiscalReportforSessionRangeClick();
    void btnInterruptFullReportClick();
    void btnOperationalTaxReportClick();
    // ConfirmNI, then the body between EnableButtons(false) and (true).
    void RunConfirmed(void (TfmTaxOfficer::*Body)());
    // The lock capability, read inside the result panel's cycle.
    bool HasTaxPasswordLock();
    void Fiscalize();
    void GetFiscalizationParameters();
    void GetRangeDatesAndSessions();
    void FiscalReportForDatesRange();
    void FiscalReportForSessionRange();
    void InterruptFullReport();
    void OperationalTaxReport();
    // The range read back when the code is 0.
    void ShowRange(std::int32_t ResultCode);
    // ReportType: False short, True long.
    void SetReportType();
};
