#include "pages/service/fmuTaxOfficer.h"

#include "core/driver/untDriver.h"
#include "core/pages/KeyPress.h"
#include "core/support/SysUtils.h"
#include "core/support/untUtil.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/EditLimit.h"
#include "platform/ui/FormBuilder.h"

#include <tuple>

namespace {
constexpr int EditLength = 100;
const QString Caution = QStringLiteral("Внимание!");
const QString DateFormat = QStringLiteral("dd.MM.yyyy");

QString DateText(TDateTime Value)
{
    return DateToStr(DateTimeToQDateTime(Value).date());
}
} // namespace

bool AskTaxPassword()
{
    const QString text = QStringLiteral(
                             "Будет введен пароль налогового инспектора (%1)\r\nВ случае ошибки принтер будет "
                             "заблокирован до ввода правильного пароля.\r\nПродолжить?")
                             .arg(Driver().Password());
    return Dialogs::MessageBox(text, Caution, Dialogs::Buttons::YesNo, Dialogs::Icon::Warning) == Dialogs::mrYes;
}

bool TaxPasswordChanges()
{
    return Driver().EnteredTaxPassword() != Driver().Password();
}

void ShowSessionRange(QSpinBox* first, QSpinBox* last, QDateTimeEdit* firstDate, QDateTimeEdit* lastDate)
{
    TDriver& d = Driver();
    first->setValue(d.FirstSessionNumber());
    last->setValue(d.LastSessionNumber());
    firstDate->setDate(DateTimeToQDateTime(d.FirstSessionDate()).date());
    lastDate->setDate(DateTimeToQDateTime(d.LastSessionDate()).date());
}

TfmTaxOfficer::TfmTaxOfficer(QWidget* owner) : TPage(owner, "fmTaxOfficer", PageCaption)
{
    using T = TfmTaxOfficer;
    TFormBuilder<T> page(this);
    auto row = page.Columns();
    auto left = row.Section();
    for (auto [edit, caption, member] : {
             std::tuple{NAMED(edtNewPasswordTI), "Новый пароль НИ:", "NewPasswordTI"},
             std::tuple{NAMED(edtRNM), "РНМ:", "RNM"},
             std::tuple{NAMED(edtINN), "ИНН:", "INN"},
         }) {
        QLineEdit* e = left.Edit(edit, QString::fromUtf8(caption), QStringLiteral("0"), member);
        SetEditLimit(e, EditLength);
        SetKeyPress(e, &NumberKeyFilter);
    }
    left.Spin(NAMED(seRegistrationNumber), QStringLiteral("Номер фискализации:"), 0, 0, 1, "RegistrationNumber");
    left.Edit(NAMED(edtFreeRegistration), QStringLiteral("Количество оставшихся фискализаций:"), {},
              "FreeRegistration")->setReadOnly(true);
    left.Edit(NAMED(edtSessionNumber), QStringLiteral("Номер смены перед фискализацией:"), {}, "SessionNumber")
        ->setReadOnly(true);
    left.Edit(NAMED(edtDate), QStringLiteral("Дата фискализации:"), {}, "Date")->setReadOnly(true);
    left.Space();
    auto middle = row.Section();
    middle.DateTime(NAMED(dtpFirstSessionDate), QStringLiteral("Начальная дата:"), DateFormat, "FirstSessionDate");
    middle.DateTime(NAMED(dtpLastSessionDate), QStringLiteral("Конечная дата:"), DateFormat, "LastSessionDate");
    middle.Spin(NAMED(seFirstSessionNumber), QStringLiteral("Начальная смена:"), 0, 0, 1, "FirstSessionNumber");
    middle.Spin(NAMED(seLastSessionNumber), QStringLiteral("Конечная смена:"), 0, 0, 1, "LastSessionNumber");
    middle.Combo(NAMED(cbReportType), QStringLiteral("Тип отчета:"),
                 {QStringLiteral("короткий"), QStringLiteral("длинный")}, 0, "ReportType");
    middle.Space();
    auto right = row.Section();
    right.Buttons(7, {
        {NAMED(btnFiscalization), QStringLiteral("Фискализация"), &T::btnFiscalizationClick, "Fiscalization",
         TRun::Plain},
        {NAMED(btnGetFiscalizationParameters), QStringLiteral("Параметры фискализации"),
         &T::btnGetFiscalizationParametersClick, "GetFiscalizationParameters", TRun::Plain},
        {NAMED(btnGetRangeDatesAndSessions), QStringLiteral("Получить диапазон дат и смен"),
         &T::btnGetRangeDatesAndSessionsClick, "GetRangeDatesAndSessions", TRun::Plain},
        {NAMED(btnFiscalReportforDatesRange), QStringLiteral("Отчёт по диапазону дат"),
         &T::btnFiscalReportforDatesRangeClick, "FiscalReportForDatesRange", TRun::Plain},
        {NAMED(btnFiscalReportforSessionRange), QStringLiteral("Отчёт по диапазону смен"),
         &T::btnFiscalReportforSessionRangeClick, "FiscalReportForSessionRange", TRun::Plain},
        {NAMED(btnInterruptFullReport), QStringLiteral("Прервать полный отчёт"), &T::btnInterruptFullReportClick,
         "InterruptFullReport", TRun::Plain},
        {NAMED(btnOperationalTaxReport), QStringLiteral("Оперативный отчет НИ"), &T::btnOperationalTaxReportClick,
         "PrintOperationalTaxReport", TRun::Plain},
    });
    row.Space();
    const QDate today = QDate::currentDate();
    dtpFirstSessionDate->setDate(today);
    dtpLastSessionDate->setDate(today);
}

bool TfmTaxOfficer::HasTaxPasswordLock()
{
    TEnableButtonsFrame frame(this);
    return Driver().CapTaxPasswordLock();
}

bool TfmTaxOfficer::ConfirmNI()
{
    if (!HasTaxPasswordLock() || !TaxPasswordChanges())
        return true;
    return AskTaxPassword();
}

void TfmTaxOfficer::RunConfirmed(void (TfmTaxOfficer::*Body)())
{
    if (!ConfirmNI())
        return;
    TEnableButtonsFrame frame(this);
    (this->*Body)();
}

void TfmTaxOfficer::btnFiscalizationClick()
{
    if (HasTaxPasswordLock()
        && Dialogs::MessageBox(QStringLiteral("Фискализацию аппарата нельзя отменить.\r\nВы хотите продолжить?"),
                               Caution, Dialogs::Buttons::YesNo, Dialogs::Icon::Warning, Dialogs::mrNo)
               != Dialogs::mrYes)
        return;
    RunConfirmed(&TfmTaxOfficer::Fiscalize);
}

void TfmTaxOfficer::Fiscalize()
{
    TDriver& d = Driver();
    CheckIntStr(edtNewPasswordTI->text(), QStringLiteral("Новый пароль НИ"));
    d.setNewPasswordTI(StrToInt(edtNewPasswordTI->text()));
    d.setRNM(edtRNM->text());
    d.setINN(edtINN->text());
    if (d.Fiscalization() == 0) {
        seRegistrationNumber->setValue(d.RegistrationNumber());
        edtFreeRegistration->setText(QString::number(d.FreeRegistration()));
        edtSessionNumber->setText(QString::number(d.SessionNumber()));
        edtDate->setText(DateText(d.Date()));
    } else {
        edtFreeRegistration->clear();
        edtSessionNumber->clear();
        edtDate->clear();
    }
}

void TfmTaxOfficer::btnGetFiscalizationParametersClick()
{
    RunConfirmed(&TfmTaxOfficer::GetFiscalizationParameters);
}

void TfmTaxOfficer::GetFiscalizationParameters()
{
    TDriver& d = Driver();
    d.setRegistrationNumber(seRegistrationNumber->value());
    if (d.GetFiscalizationParameters() == 0) {
        edtNewPasswordTI->setText(QString::number(d.NewPasswordTI()));
        edtRNM->setText(GetRNM(d.RNM()));
        edtINN->setText(GetINN(d.INN()));
        edtSessionNumber->setText(QString::number(d.SessionNumber()));
        edtDate->setText(DateText(d.Date()));
    } else {
        edtDate->clear();
        edtSessionNumber->clear();
    }
}

void TfmTaxOfficer::ShowRange(std::int32_t ResultCode)
{
    if (ResultCode == 0)
        ShowSessionRange(seFirstSessionNumber, seLastSessionNumber, dtpFirstSessionDate, dtpLastSessionDate);
}

void TfmTaxOfficer::SetReportType()
{
    Driver().setReportType(cbReportType->currentIndex() != 0);
}

void TfmTaxOfficer::btnGetRangeDatesAndSessionsClick()
{
    RunConfirmed(&TfmTaxOfficer::GetRangeDatesAndSessions);
}

void TfmTaxOfficer::GetRangeDatesAndSessions()
{
    ShowRange(Driver().GetRangeDatesAndSessions());
}

void TfmTaxOfficer::btnFiscalReportforDatesRangeClick()
{
    RunConfirmed(&TfmTaxOfficer::FiscalReportForDatesRange);
}

void TfmTaxOfficer::FiscalReportForDatesRange()
{
    TDriver& d = Driver();
    SetReportType();
    d.setFirstSessionDate(QDateToDateTime(dtpFirstSessionDate->date()));
    d.setLastSessionDate(QDateToDateTime(dtpLastSessionDate->date()));
    ShowRange(d.FiscalReportForDatesRange());
}

void TfmTaxOfficer::btnFiscalReportforSessionRangeClick()
{
    RunConfirmed(&TfmTaxOfficer::FiscalReportForSessionRange);
}

void TfmTaxOfficer::FiscalReportForSessionRange()
{
    TDriver& d = Driver();
    SetReportType();
    d.setFirstSessionNumber(seFirstSessionNumber->value());
    d.setLastSessionNumber(seLastSessionNumber->value());
    ShowRange(d.FiscalReportForSessionRange());
}

void TfmTaxOfficer::btnInterruptFullReportClick()
{
    RunConfirmed(&TfmTaxOfficer::InterruptFullReport);
}

void TfmTaxOfficer::InterruptFullReport()
{
    Driver().InterruptFullReport();
}

void TfmTaxOfficer::btnOperationalTaxReportClick()
{
    RunConfirmed(&TfmTaxOfficer::OperationalTaxReport);
}

void TfmTaxOfficer::OperationalTaxReport()
{
    Driver().PrintOperationalTaxReport();
}
