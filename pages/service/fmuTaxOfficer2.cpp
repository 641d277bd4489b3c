#include "pages/service/fmuTaxOfficer2.h"

#include "core/driver/untDriver.h"
#include "core/support/SysUtils.h"
#include "pages/service/fmuTaxOfficer.h"
#include "platform/ui/FormBuilder.h"

#include <tuple>

namespace {
const QString DateFormat = QStringLiteral("dd.MM.yyyy");
} // namespace

TfmTaxOfficer2::TfmTaxOfficer2(QWidget* owner) : TPage(owner, "fmTaxOfficer2", PageCaption)
{
    using T = TfmTaxOfficer2;
    TFormBuilder<T> page(this);
    auto row = page.Columns();
    auto left = row.Section();
    left.DateTime(NAMED(dtpFirstSessionDate), QStringLiteral("Начальная дата:"), DateFormat, "FirstSessionDate");
    left.DateTime(NAMED(dtpLastSessionDate), QStringLiteral("Конечная дата:"), DateFormat, "LastSessionDate");
    left.Spin(NAMED(seFirstSessionNumber), QStringLiteral("Начальная смена:"), 0, 0, 1, "FirstSessionNumber");
    left.Spin(NAMED(seLastSessionNumber), QStringLiteral("Конечная смена:"), 0, 0, 1, "LastSessionNumber");
    left.Spin(NAMED(seRegistrationNumber), QStringLiteral("№ активизации:"), 0, 0, 1, "RegistrationNumber");
    left.Space();
    auto middle = row.Section();
    // From top to bottom: sales, purchases, sale returns, purchase returns.
    for (auto [edit, caption, member] : {
             std::tuple{NAMED(edtSumm1), "Продажа:", "Summ1"},
             std::tuple{NAMED(edtSumm2), "Покупка:", "Summ2"},
             std::tuple{NAMED(edtSumm3), "Возврат продаж:", "Summ3"},
             std::tuple{NAMED(edtSumm4), "Возврат покупок:", "Summ4"},
             std::tuple{NAMED(edtSessionNumber), "Номер смены:", "SessionNumber"},
             std::tuple{NAMED(edtECRDate), "Дата:", "Date"},
             std::tuple{NAMED(edtEKLZNumber), "Регистр. номер:", "EKLZNumber"},
         })
        middle.Edit(edit, QString::fromUtf8(caption), {}, member)->setReadOnly(true);
    middle.Space();
    auto right = row.Section();
    right.Buttons(3, {
        {NAMED(btnGetShortReportInDatesRange), QStringLiteral("Запрос короткого отчета по диапазону дат"),
         &T::btnGetShortReportInDatesRangeClick, "GetShortReportInDatesRange", TRun::Plain},
        {NAMED(btnGetShortReportInSessionRange), QStringLiteral("Запрос короткого отчета по диапазону смен"),
         &T::btnGetShortReportInSessionRangeClick, "GetShortReportInSessionRange", TRun::Plain},
        {NAMED(btnReadEKLZActivizationParams), QStringLiteral("Чтение параметров активизации ЭКЛЗ"),
         &T::btnReadEKLZActivizationParamsClick, "ReadEKLZActivizationParams", TRun::Plain},
    });
    row.Space();
    const QDate today = QDate::currentDate();
    dtpFirstSessionDate->setDate(today);
    dtpLastSessionDate->setDate(today);
}

bool TfmTaxOfficer2::ConfirmNI()
{
    return !TaxPasswordChanges() || AskTaxPassword();
}

void TfmTaxOfficer2::RunConfirmed(std::int32_t (TfmTaxOfficer2::*Body)())
{
    if (!ConfirmNI())
        return;
    TEnableButtonsFrame frame(this);
    if ((this->*Body)() != 0)
        ClearPage();
}

void TfmTaxOfficer2::ClearPage()
{
    for (QLineEdit* edit : {edtECRDate, edtSessionNumber, edtSumm1, edtSumm2, edtSumm3, edtSumm4, edtEKLZNumber})
        edit->clear();
}

std::int32_t TfmTaxOfficer2::ShowShortReport(std::int32_t ResultCode)
{
    if (ResultCode != 0)
        return ResultCode;
    TDriver& d = Driver();
    ShowSessionRange(seFirstSessionNumber, seLastSessionNumber, dtpFirstSessionDate, dtpLastSessionDate);
    edtSumm1->setText(d.AmountToStr(d.Summ1()));
    edtSumm2->setText(d.AmountToStr(d.Summ2()));
    edtSumm3->setText(d.AmountToStr(d.Summ3()));
    edtSumm4->setText(d.AmountToStr(d.Summ4()));
    return ResultCode;
}

void TfmTaxOfficer2::btnGetShortReportInDatesRangeClick()
{
    RunConfirmed(&TfmTaxOfficer2::ShortReportInDatesRange);
}

std::int32_t TfmTaxOfficer2::ShortReportInDatesRange()
{
    TDriver& d = Driver();
    d.setFirstSessionDate(QDateToDateTime(dtpFirstSessionDate->date()));
    d.setLastSessionDate(QDateToDateTime(dtpLastSessionDate->date()));
    return ShowShortReport(d.GetShortReportInDatesRange());
}

void TfmTaxOfficer2::btnGetShortReportInSessionRangeClick()
{
    RunConfirmed(&TfmTaxOfficer2::ShortReportInSessionRange);
}

std::int32_t TfmTaxOfficer2::ShortReportInSessionRange()
{
    TDriver& d = Driver();
    d.setFirstSessionNumber(seFirstSessionNumber->value());
    d.setLastSessionNumber(seLastSessionNumber->value());
    return ShowShortReport(d.GetShortReportInSessionRange());
}

void TfmTaxOfficer2::btnReadEKLZActivizationParamsClick()
{
    RunConfirmed(&TfmTaxOfficer2::ReadEKLZActivizationParams);
}

std::int32_t TfmTaxOfficer2::ReadEKLZActivizationParams()
{
    TDriver& d = Driver();
    d.setRegistrationNumber(seRegistrationNumber->value());
    const std::int32_t code = d.ReadEKLZActivizationParams();
    if (code == 0) {
        edtECRDate->setText(DateToStr(DateTimeToQDateTime(d.Date()).date()));
        edtSessionNumber->setText(QString::number(d.SessionNumber()));
        edtEKLZNumber->setText(d.EKLZNumber());
    }
    return code;
}
