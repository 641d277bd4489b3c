#include "pages/receipts/fmuReports.h"

#include "core/driver/untDriver.h"
#include "core/settings/ResStrings.h"
#include "core/support/SysUtils.h"
#include "core/support/untTypes.h"
#include "pages/fn/FNReports.h"
#include "platform/ui/FormBuilder.h"

// The model whose shift opening reports the key update.
constexpr int KeyUpdateModel = 254;

TfmReports::TfmReports(QWidget* owner) : TPage(owner, "fmReports", PageCaption), FReport(nullptr)
{
    TFormBuilder<TfmReports> page(this, nullptr, true);
    FReport = TMemoReport(memResult = ReportMemo(page.Memo(NAMED(memResult), true)));
    using T = TfmReports;
    page.Buttons(12, {
        {"btnPrintDepartmentReport", "Снять отчёт по отделам", &T::btnPrintDepartmentReportClick, "PrintDepartmentReport"},
        {"btnPrintReportWithCleaning", "Закрыть смену", &T::btnPrintReportWithCleaningClick, "PrintReportWithCleaning"},
        {"btnPrintTaxReport", "Снять отчет по налогам", &T::btnPrintTaxReportClick, "PrintTaxReport"},
        {"btnPrintOperationReg", "Печать операционных регистров", &T::btnPrintOperationRegClick, "PrintOperationReg"},
        {"btnPrintReportWithoutCleaning", "Снять отчёт без гашения", &T::btnPrintReportWithoutCleaningClick,
         "PrintReportWithoutCleaning"},
        {"btnPrintZReportInBuffer", "Снять отчёт с гашением в буфер", &T::btnPrintZReportInBufferClick,
         "PrintZReportInBuffer"},
        {"btnPrintZReportFromBuffer", "Распечатать отчёт с гашением из буфера", &T::btnPrintZReportFromBufferClick,
         "PrintZReportFromBuffer"},
        {"btnPrintCashierReport", "Снять отчёт по кассирам", &T::btnPrintCashierReportClick, "PrintCashierReport"},
        {"btnPrintHourlyReport", "Снять отчёт почасовой", &T::btnPrintHourlyReportClick, "PrintHourlyReport"},
        {"btnPrintWareReport", "Снять отчёт по товарам", &T::btnPrintWareReportClick, "PrintWareReport"},
        {"btnOpenSession", "Открыть смену", &T::btnOpenSessionClick, "OpenSession"},
        {"btnBuildCalculationStateReport", "Отчет о состоянии расчетов", &T::btnBuildCalculationStateReportClick,
         "FNBuildCalculationStateReport"},
    });
}

void TfmReports::Report(int32_t (TOrvek::*Method)())
{
    FReport.Clear();
    (Driver().*Method)();
}

void TfmReports::btnPrintDepartmentReportClick() { Report(&TOrvek::PrintDepartmentReport); }
void TfmReports::btnPrintReportWithCleaningClick() { Report(&TOrvek::PrintReportWithCleaning); }
void TfmReports::btnPrintTaxReportClick() { Report(&TOrvek::PrintTaxReport); }
void TfmReports::btnPrintOperationRegClick() { Report(&TOrvek::PrintOperationReg); }
void TfmReports::btnPrintReportWithoutCleaningClick() { Report(&TOrvek::PrintReportWithoutCleaning); }
void TfmReports::btnPrintZReportInBufferClick() { Report(&TOrvek::PrintZReportInBuffer); }
void TfmReports::btnPrintZReportFromBufferClick() { Report(&TOrvek::PrintZReportFromBuffer); }
void TfmReports::btnPrintCashierReportClick() { Report(&TOrvek::PrintCashierReport); }
void TfmReports::btnPrintHourlyReportClick() { Report(&TOrvek::PrintHourlyReport); }
void TfmReports::btnPrintWareReportClick() { Report(&TOrvek::PrintWareReport); }

void TfmReports::btnOpenSessionClick()
{
    FReport.Clear();
    TDriver& d = Driver();
    Check(d.OpenSession());
    if (d.GetModelID() != KeyUpdateModel)
        return;
    Check(d.GetShortECRStatus());
    FReport.Add(QStringLiteral("Состояние обновления ключей:"));
    FReport.Add(UpdateKeysResultText());
}

void TfmReports::btnBuildCalculationStateReportClick()
{
    FReport.Clear();
    TDriver& d = Driver();
    Check(d.FNBuildCalculationStateReport());
    FReport.AddLine(GetRes("Номер ФД"), QString::number(uint32_t(d.DocumentNumber())));
    FReport.AddLine(GetRes("Фискальный признак"), QString::number(uint32_t(d.FiscalSign())));
    FReport.AddLine(GetRes("Кол-во неподтвержденных документов"), QString::number(uint32_t(d.DocumentCount())));
    FReport.AddLine(GetRes("Дата первого неподтвержденного документа"),
                    DateTimeToStr(DateTimeToQDateTime(d.Date() + d.Time())));
}
