#pragma once
// TfmTaxOfficer2: "НИ 2", the tax inspector's EKLZ queries: the short
// reports' totals by dates or sessions and an activation's parameters.
// Every button asks first when the inspector's password would be entered anew.
#include "core/pages/untPages.h"

#include <cstdint>

class QDateTimeEdit;
class QLineEdit;
class QPushButton;
class QSpinBox;

class TfmTaxOfficer2 : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "НИ 2";
    explicit TfmTaxOfficer2(QWidget* owner = nullptr);

    QDateTimeEdit* dtpFirstSessionDate;
    QDateTimeEdit* dtpLastSessionDate;
    QSpinBox* seFirstSessionNumber;
    QSpinBox* seLastSessionNumber;
    QSpinBox* seRegistrationNumber;
    QLineEdit* edtSumm1;
    QLineEdit* edtSumm2;
    QLineEdit* edtSumm3;
    QLineEdit* edtSumm4;
    QLineEdit* edtSessionNumber;
    QLineEdit* edtECRDate;
    QLineEdit* edtEKLZNumber;
    QPushButton* btnGetShortReportInDatesRange;
    QPushButton* btnGetShortReportInSessionRange;
    QPushButton* btnReadEKLZActivizationParams;

    // True to go on: asks whenever the password changes.
    bool ConfirmNI();

private:
    void btnGetShortReportInDatesRangeClick();
    void btnGetShortReportInSessionRangeClick();
    void btnReadEKLZActivizationParamsClick();
    // ConfirmNI, then the body between EnableButtons(false) and (true); a
    // non-zero result clears the page.
    void RunConfirmed(std::int32_t (TfmTaxOfficer2::*Body)());
    std::int32_t ShortReportInDatesRange();
    std::int32_t ShortReportInSessionRange();
    std::int32_t ReadEKLZActivizationParams();
    // On 0, the range and the four totals read back; returns the code.
    std::int32_t ShowShortReport(std::int32_t ResultCode);
    void ClearPage();
};
