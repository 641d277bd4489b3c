#pragma once
// TfmReports: the page "Отчеты": the shift reports, opening a shift (with the
// key-update state of model 254), the Z report through the register's buffer
// and the FN calculation-state report.
#include "core/pages/MemoReport.h"
#include "core/pages/untPages.h"

class QPlainTextEdit;
class TOrvek;

class TfmReports : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Отчеты";
    explicit TfmReports(QWidget* owner = nullptr);

    QPlainTextEdit* memResult;

    void btnPrintDepartmentReportClick();
    void btnPrintReportWithCleaningClick();
    void btnPrintTaxReportClick();
    void btnPrintOperationRegClick();
    void btnPrintReportWithoutCleaningClick();
    void btnPrintZReportInBufferClick();
    void btnPrintZReportFromBufferClick();
    void btnPrintCashierReportClick();
    void btnPrintHourlyReportClick();
    void btnPrintWareReportClick();
    void btnOpenSessionClick();
    void btnBuildCalculationStateReportClick();

private:
    // Clears the memo and calls one driver method; the code goes to the result panel.
    void Report(int32_t (TOrvek::*Method)());

    TMemoReport FReport;
};
