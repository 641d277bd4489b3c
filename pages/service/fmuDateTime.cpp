#include "pages/service/fmuDateTime.h"

#include "core/driver/untDriver.h"
#include "core/support/SysUtils.h"
#include "platform/ui/FormBuilder.h"

#include <QTimer>

namespace {
constexpr int TickMs = 1000;
} // namespace

TfmDateTime::TfmDateTime(QWidget* owner) : TPage(owner, "fmDateTime", PageCaption)
{
    using T = TfmDateTime;
    TFormBuilder<T> page(this);
    auto groups = page.Columns();
    auto date = groups.Group("grpDate", QStringLiteral("Дата"));
    date.DateTime(NAMED(dtpDate), {}, QStringLiteral("dd.MM.yyyy"), "Date");
    date.Buttons(3, {
        {NAMED(btnCurrentDate), QStringLiteral("Текущая дата"), &T::btnCurrentDateClick, {}, TRun::Plain},
        {NAMED(btnConfirmDate), QStringLiteral("Подтвердить дату"), &T::btnConfirmDateClick, "ConfirmDate"},
        {NAMED(btnSetDate), QStringLiteral("Установить дату"), &T::btnSetDateClick, "SetDate"},
    });
    auto time = groups.Group("grpTime", QStringLiteral("Время"));
    time.DateTime(NAMED(dtpTime), {}, QStringLiteral("HH:mm:ss"), "Time");
    time.Buttons(3, {
        {NAMED(btnCurrentTime), QStringLiteral("Текущее время"), &T::btnCurrentTimeClick, {}, TRun::Plain},
        {NAMED(btnSetTime), QStringLiteral("Установить время"), &T::btnSetTimeClick, "SetTime"},
    });
    auto current = groups.Group("grpCurrent", QStringLiteral("Текущие дата и время"));
    current.Label(NAMED(lblDateTime), QString());
    lblDateTime->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    current.Buttons(3, {
        {NAMED(btnSetCurrentDateTime), QStringLiteral("Установить текущие дату и время"),
         &T::btnSetCurrentDateTimeClick, "SetDate, ConfirmDate, SetTime"},
    });
    page.Space();
    const QDateTime now = Now();
    dtpDate->setDate(now.date());
    dtpTime->setTime(now.time());

    Timer = new QTimer(this);
    Timer->setObjectName(QStringLiteral("Timer"));
    Timer->setInterval(TickMs);
    connect(Timer, &QTimer::timeout, this, Guarded(this, &T::TimerTimer));
    Timer->start();
    TimerTimer();
}

void TfmDateTime::TimerTimer()
{
    const QDateTime now = Now();
    lblDateTime->setText(DateToStr(now.date()) + QStringLiteral("  ") + TimeToStr(now.time()));
}

void TfmDateTime::btnCurrentDateClick()
{
    dtpDate->setDate(Now().date());
}

void TfmDateTime::btnCurrentTimeClick()
{
    dtpTime->setTime(Now().time());
}

void TfmDateTime::btnSetTimeClick()
{
    Driver().setTime(QTimeToDateTime(dtpTime->time()));
    Driver().SetTime();
}

void TfmDateTime::btnSetDateClick()
{
    Driver().setDate(QDateToDateTime(dtpDate->date()));
    Driver().SetDate();
}

void TfmDateTime::btnConfirmDateClick()
{
    Driver().setDate(QDateToDateTime(dtpDate->date()));
    Driver().ConfirmDate();
}

// Date and time from one reading of the clock, so that a midnight between
// the steps cannot set the new day's time on the old day.
void TfmDateTime::btnSetCurrentDateTimeClick()
{
    TDriver& d = Driver();
    const QDateTime now = Now();
    d.setDate(QDateToDateTime(now.date()));
    Check(d.SetDate());
    d.setDate(QDateToDateTime(now.date()));
    Check(d.ConfirmDate());
    d.setTime(QTimeToDateTime(now.time()));
    Check(d.SetTime());
}
