#include "pages/service/fmuDBSession.h"

#include "core/driver/untDriver.h"
#include "core/pages/MemoReport.h"
#include "core/settings/ResStrings.h"
#include "core/support/Format.h"
#include "core/support/SysUtils.h"
#include "pages/service/DBFields.h"
#include "platform/ui/Dialogs.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <functional>
#include <QScopeGuard>

namespace {
constexpr int32_t NoMoreDocuments = -41;
} // namespace

TfmDBSession::TfmDBSession(QWidget* owner) : TPage(owner, "fmDBSession", PageCaption)
{
    TFormBuilder<TfmDBSession> page(this);
    auto top = page.Columns();
    auto inputs = top.Section();
    inputs.Edit(NAMED(edtSessionNumber), "Номер смены:", "1", "SessionNumber");
    AddDBFields(inputs, edtSerialNumber, edtDBFilePath);
    using T = TfmDBSession;
    top.Buttons(3, {
        {"btnDBPrintKL", "Распечатать контрольную ленту", &T::btnDBPrintKLClick, "DBPrintNextDocument"},
        {NAMED(btnStopPrintKL), "Прервать", &T::btnStopPrintKLClick, {}, TRun::Stop},
        {"btn1", "Суммы чеков за смену", &T::btn1Click, "DBGetNextDocument"},
    });
    ReportMemo(page.Memo(NAMED(Memo), true));
}

TfmDBSession::~TfmDBSession()
{
    FStopFlag = true;
}

void TfmDBSession::hideEvent(QHideEvent* event)
{
    // Closing the window stops a running loop first; another tab does not.
    if (FRunning && !window()->isVisible())
        FStopFlag = true;
    TPage::hideEvent(event);
}

QString TfmDBSession::DBDocTypeToStr(int Type)
{
    switch (Type) {
    case 1: return QStringLiteral("ПРИХОД");
    case 2: return QStringLiteral("РАСХОД");
    case 3: return QStringLiteral("ВОЗВРАТ ПРИХОДА");
    case 4: return QStringLiteral("ВОЗВРАТ РАСХОДА");
    default: return {};
    }
}

void TfmDBSession::btnStopPrintKLClick()
{
    FStopFlag = true;
}

void TfmDBSession::FlushLines()
{
    if (!FLines.isEmpty())
        Memo->appendPlainText(FLines.join(QLatin1Char('\n')));
    FLines.clear();
}

bool TfmDBSession::StartQuery()
{
    btnStopPrintKL->setEnabled(true);
    FStopFlag = false;
    TDriver& d = Driver();
    d.setSessionNumber(StrToInt(edtSessionNumber->text()));
    d.setDBFilePath(edtDBFilePath->text());
    d.setSerialNumber(edtSerialNumber->text());
    return d.DBQueryDocumentsInSession() == 0;
}

int TfmDBSession::Loop(const std::function<int32_t()>& step)
{
    int count = 0;
    int32_t result = 0;
    TDriverJob job;   // events run between the driver calls
    FRunning = true;
    const auto done = qScopeGuard([this] { FRunning = false; });
    QElapsedTimer sinceEvents;
    sinceEvents.start();
    do {
        result = step();
        if (result == 0)
            ++count;
        // Pending messages run often enough to paint and hear "Прервать",
        // not after every document.
        if (sinceEvents.elapsed() >= EventInterval) {
            FlushLines();
            QCoreApplication::processEvents();
            sinceEvents.restart();
        }
    } while (result == 0 && !FStopFlag);
    FlushLines();
    if (result == NoMoreDocuments)
        Driver().ClearResult();
    // "Нет найденных документов" only when the list ended with nothing read;
    // any other failure is the result panel's.
    if (count == 0 && result == NoMoreDocuments)
        Dialogs::ShowMessage(GetRes("Нет найденных документов"));
    return count;
}

void TfmDBSession::btnDBPrintKLClick()
{
    if (!StartQuery())
        return;
    TDriver& d = Driver();
    const int count = Loop([&d] {
        const int32_t result = d.DBPrintNextDocument();
        if (result == 0) {
            d.setStringQuantity(2);
            d.FeedDocument();
        }
        return result;
    });
    if (count > 0)
        d.FinishDocument();
}

void TfmDBSession::btn1Click()
{
    Memo->clear();
    if (!StartQuery())
        return;
    TDriver& d = Driver();
    Loop([this, &d] {
        const int32_t result = d.DBGetNextDocument();
        if (result == 0 && d.DBDocType() >= 1 && d.DBDocType() <= 4) {
            FLines << Format(QStringLiteral("СМЕНА %d/ФД %d"), {d.SessionNumber(), d.DocumentNumber()})
                   << DateTimeToStr(DateTimeToQDateTime(d.Date() + d.Time())) + QStringLiteral("  КАССОВЫЙ ЧЕК/") +
                          DBDocTypeToStr(d.DBDocType())
                   << Format(QStringLiteral("ИТОГ =%.2f"), {CurrencyToDouble(d.Summ1())}) << QString();
        }
        return result;
    });
}
