#include "pages/service/fmuFindDevice.h"

#include "core/driver/ComPort.h"
#include "core/driver/untDriver.h"
#include "core/settings/ResStrings.h"
#include "core/support/Format.h"
#include "core/support/NotifyThread.h"
#include "platform/ui/FormBuilder.h"

#include <QCloseEvent>
#include <QElapsedTimer>
#include <QPointer>
#include <QEventLoop>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTimer>
#include <atomic>
#include <functional>

namespace {
// Refuses a close of the window while a search runs and tells the page instead.
class TCloseStopsSearch : public QObject {
public:
    explicit TCloseStopsSearch(std::function<void()> onClose) : FOnClose(std::move(onClose)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Close)
            return QObject::eventFilter(watched, event);
        event->ignore();
        FOnClose();
        return true;
    }

private:
    std::function<void()> FOnClose;
};
// While it lives, every widget of the window outside the page is disabled, so
// that no other page calls the driver object the search holds.
class TOnlyThisPage {
public:
    explicit TOnlyThisPage(QWidget* page)
    {
        for (QWidget* inner = page; inner->parentWidget(); inner = inner->parentWidget())
            for (QWidget* sibling : inner->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                if (sibling != inner && sibling->isEnabled()) {
                    sibling->setEnabled(false);
                    FDisabled << sibling;
                }
    }
    ~TOnlyThisPage()
    {
        for (const QPointer<QWidget>& w : FDisabled)
            if (w)
                w->setEnabled(true);
    }
    TOnlyThisPage(const TOnlyThisPage&) = delete;
    TOnlyThisPage& operator=(const TOnlyThisPage&) = delete;

private:
    QList<QPointer<QWidget>> FDisabled;
};
} // namespace

TfmFindDevice::TfmFindDevice(QWidget* owner) : TPage(owner, "fmFindDevice", PageCaption)
{
    using T = TfmFindDevice;
    TFormBuilder<T> page(this);
    auto bar = page.Columns();
    bar.Button({NAMED(btnRead), QStringLiteral("Поиск"), &T::btnReadClick, "FindDevice"});
    // Works while the search has the page's buttons disabled.
    bar.Button({NAMED(btnStop), QStringLiteral("Прервать"), &T::btnStopClick, {}, TRun::Plain});
    pbSearch = bar.Whole(new QProgressBar(this));
    pbSearch->setObjectName(QStringLiteral("pbSearch"));
    pbSearch->setRange(0, 0);   // busy
    pbSearch->setTextVisible(false);
    lblElapsed = bar.Label(NAMED(lblElapsed), QString());
    bar.Space();
    Memo = page.Memo(NAMED(Memo));
    Memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    ShowSearching(false);
}

int TfmFindDevice::IntToBaudRate(int Code)
{
    return ::IntToBaudRate(Code);
}

void TfmFindDevice::ShowSearching(bool Value)
{
    btnStop->setVisible(Value);
    btnStop->setEnabled(Value);
    pbSearch->setVisible(Value);
    lblElapsed->setVisible(Value);
}

int32_t TfmFindDevice::FindDevice()
{
    TDriver& d = Driver();   // made here, not on the worker
    std::atomic<int32_t> result = 0;
    TNotifyThread worker([&d, &result](TNotifyThread*) { result = d.FindDevice(); });
    QEventLoop loop;
    connect(&worker, &QThread::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    QElapsedTimer elapsed;
    elapsed.start();
    QTimer clock;
    FStopWanted = false;
    connect(&clock, &QTimer::timeout, this, [this, &elapsed] {
        lblElapsed->setText(QStringLiteral("%1 с").arg(double(elapsed.elapsed()) / 1000.0, 0, 'f', 1));
        // A stop asked for before the driver's search began was cleared by
        // its start: it is asked again until the search ends.
        if (FStopWanted)
            Driver().ControlInterface().Interrupt();
    });
    // Closing the window stops the search and closes it once the search has ended.
    QPointer<QWidget> window = this->window();
    bool closeWanted = false;
    TCloseStopsSearch guard([this, &closeWanted] {
        closeWanted = true;
        btnStopClick();
    });
    window->installEventFilter(&guard);
    const TOnlyThisPage alone(this);
    ShowSearching(true);
    const auto done = qScopeGuard([this, window, &guard, &closeWanted] {
        if (window)
            window->removeEventFilter(&guard);
        ShowSearching(false);
        if (closeWanted && window)
            QTimer::singleShot(0, window, &QWidget::close);
    });
    clock.start(100);
    ResumeDriverJob(worker);
    loop.exec();
    worker.WaitFor();
    if (worker.FatalException())
        std::rethrow_exception(worker.FatalException());
    return result;
}

void TfmFindDevice::btnReadClick()
{
    Memo->setUpdatesEnabled(false);
    const auto resume = qScopeGuard([this] { Memo->setUpdatesEnabled(true); });
    Memo->clear();
    if (FindDevice() != 0) {
        Memo->appendPlainText(GetRes("Устройство не найдено."));
        return;
    }
    Memo->appendPlainText(GetRes("Устройство найдено."));
    Memo->appendPlainText(Format(GetRes("Порт: COM%d, Скорость: %d"),
                                 {Driver().ComNumber(), IntToBaudRate(Driver().BaudRate())}));
}

void TfmFindDevice::btnStopClick()
{
    FStopWanted = true;
    if (DriverExists())
        Driver().ControlInterface().Interrupt();
}
