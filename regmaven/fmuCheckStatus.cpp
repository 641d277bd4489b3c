#include "regmaven/fmuCheckStatus.h"

#include "core/support/SysUtils.h"
#include "platform/Hook.h"
#include "platform/ui/FormBuilder.h"
#include "regmaven/untController.h"
#include "regmaven/untDriver.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmBeforeCloseFN);
DECLARE_PAGE_CLASS(TfmEnterSerial);
DECLARE_PAGE_CLASS(TfmSelectClientType);
DEFINE_PAGE_CLASS(TfmCheckStatus);
DEFINE_PAGE_CLASS(TFmCheckStatusBeforeRegistration);
DEFINE_PAGE_CLASS(TFmCheckStatusBeforeReRegistration);
DEFINE_PAGE_CLASS(TFmCheckStatusBeforeCloseFN);

namespace {

constexpr int SessionClosedMode = 4;
constexpr int DocumentOpenMode = 8;

THook<TComputerClock>& ClockHook()
{
    static THook<TComputerClock> hook([] { return QDateTime::currentDateTime(); });
    return hook;
}

QDateTime ComputerTime()
{
    return ClockHook().Get()();
}

} // namespace

TComputerClock SetComputerClock(TComputerClock Clock)
{
    return ClockHook().Set(std::move(Clock));
}

QString TimeDiffToStr(const QDateTime& ComputerTime, const QDateTime& RegisterTime, bool& Same)
{
    const auto seconds = int32_t(qAbs(ComputerTime.msecsTo(RegisterTime)) / 1000);
    Same = seconds == 0;
    if (Same)
        return QStringLiteral("время совпадает");
    const int minutes = seconds / 60;
    QString text = minutes > 0 ? QString::number(minutes) + QStringLiteral(" мин.") : QString();
    return text + u' ' + QString::number(seconds % 60) + QStringLiteral(" сек.");
}

TfmCheckStatus::TfmCheckStatus() : TParamPage("fmCheckStatus", QStringLiteral("Проверка состояния"))
{
    TFormBuilder<TfmCheckStatus> b(this);
    b.Label(NAMED(lblOFDStatus), {});
    lblOFDStatus->setFont(BoldArial(14));
    lblOFDStatus->setMinimumHeight(2 * lblOFDStatus->fontMetrics().height() + 4);
    b.Columns().Buttons(2, {
        {NAMED(btnUpdataState), QStringLiteral("Обновить состояние"), &TfmCheckStatus::btnUpdataStateClick,
         "FNGetInfoExchangeStatus"},
        {NAMED(btnCloseSession), QStringLiteral("Закрыть смену"), &TfmCheckStatus::btnCloseSessionClick,
         "PrintReportWithCleaning"},
        {NAMED(btnSyncDateTime), QStringLiteral("Синхронизировать дату и время"),
         &TfmCheckStatus::btnSyncDateTimeClick, "SetDate"},
        {NAMED(btnSkip), QStringLiteral("Пропустить проверку..."), &TfmCheckStatus::btnSkipClick},
    });
    btnSkip->hide();
    // The two clocks side by side, their difference below.
    QGridLayout* clocks = b.Section().Grid();
    clocks->setContentsMargins(0, 16, 0, 0);
    clocks->addWidget(NewLabel(this, QStringLiteral("Дата и время в ККТ:")), 0, 0);
    clocks->addWidget(lblTimeKKT = NewLabel(this, {}, "lblTimeKKT"), 1, 0);
    clocks->addWidget(NewLabel(this, QStringLiteral("Дата и время в ПК:")), 0, 1);
    clocks->addWidget(lblTimePC = NewLabel(this, {}, "lblTimePC"), 1, 1);
    clocks->addWidget(NewLabel(this, QStringLiteral("Разница во времени:")), 2, 0);
    clocks->addWidget(lblTimeDiff = NewLabel(this, {}, "lblTimeDiff"), 2, 1);
    clocks->setColumnStretch(2, 1);
    b.Space();
}

void TfmCheckStatus::FormShow()
{
    UpdateState();
}

void TfmCheckStatus::UpdateState()
{
    TOrvek& d = Driver();
    int count = 0;
    const auto disconnect = qScopeGuard([&count] {
        if (count == 0)
            Driver().Disconnect();
    });
    btnSkip->hide();
    // A check that fails holds the wizard too.
    Controller().EnableNext(false);
    Check(d.GetECRStatus());
    const QDateTime registerTime = DateTimeToQDateTime(d.Date() + d.Time());
    const QDateTime computerTime = ComputerTime();
    lblTimePC->setText(DateTimeToStr(computerTime));
    lblTimeKKT->setText(DateTimeToStr(registerTime));
    bool same = false;
    lblTimeDiff->setText(TimeDiffToStr(computerTime, registerTime, same));
    SetFontColor(lblTimeDiff, same ? clGreen : QColor(Qt::red));

    const bool closed = d.ECRMode() == SessionClosedMode;
    btnCloseSession->setEnabled(!closed);
    d.setOFDExchangeSuspended(false);
    Check(d.FNGetInfoExchangeStatus());
    count = d.MessageCount();
    btnUpdataState->setEnabled(count != 0);
    Controller().EnableNext(closed && count == 0);
    if (!closed) {
        SetFontColor(lblOFDStatus, Qt::red);
        lblOFDStatus->setText(QStringLiteral("Внимание! Смена не закрыта.\nПродолжение невозможно"));
    } else if (count <= 0) {
        SetFontColor(lblOFDStatus, Qt::black);
        lblOFDStatus->setText(
            QStringLiteral("Смена закрыта. Все сообщения отправлены в ОФД.\nНажмите \"Далее\" для продолжения"));
        Controller().EnableNext(true);
        btnSkip->hide();
    } else {
        SetFontColor(lblOFDStatus, Qt::red);
        lblOFDStatus->setText(
            QStringLiteral("Внимание! Есть неотправленные сообщения для ОФД (%1 шт.)\nПродолжение невозможно").arg(count));
        btnSkip->show();
    }
}

void TfmCheckStatus::btnUpdataStateClick()
{
    UpdateState();
}

void TfmCheckStatus::btnCloseSessionClick()
{
    {
        const auto disconnect = qScopeGuard([] { Driver().Disconnect(); });
        TOrvek& d = Driver();
        Check(d.GetECRStatus());
        if (d.ECRMode() == DocumentOpenMode) {
            Check(d.SysAdminCancelCheck());
            Check(d.WaitForPrinting());
        }
        Check(d.PrintReportWithCleaning());
        Check(d.WaitForPrinting());
    }
    UpdateState();
}

void TfmCheckStatus::btnSyncDateTimeClick()
{
    const auto disconnect = qScopeGuard([] { Driver().Disconnect(); });
    TOrvek& d = Driver();
    // One reading of the computer's clock for both, so no day passes between them.
    const TDateTime now = QDateTimeToDateTime(ComputerTime());
    d.setDate(now);
    d.setTime(now);
    Check(d.SetDate());
    Check(d.ConfirmDate());
    Check(d.SetTime());
    UpdateState();
}

void TfmCheckStatus::btnSkipClick()
{
    Controller().EnableNext(true);
    Next();
    Controller().Next();
}

// Each variant follows its road to the next page.
void TFmCheckStatusBeforeRegistration::Next()
{
    Driver().Disconnect();
    Controller().NextPageClass = ClassOf<TfmEnterSerial>();
}

void TFmCheckStatusBeforeReRegistration::Next()
{
    Driver().Disconnect();
    Controller().NextPageClass = ClassOf<TfmSelectClientType>();
}

void TFmCheckStatusBeforeCloseFN::Next()
{
    Driver().Disconnect();
    Controller().NextPageClass = ClassOf<TfmBeforeCloseFN>();
}

} // namespace Regmaven
