#include "pages/service/fmuFindDevice.h"

#include "core/driver/ComPort.h"
#include "core/driver/untDriver.h"
#include "core/settings/ResStrings.h"
#include "core/support/Format.h"
#include "core/support/NotifyThread.h"
#include "platform/ui/FormBuilder.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTimer>
#include <atomic>

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
    connect(&clock, &QTimer::timeout, this, [this, &elapsed] {
        lblElapsed->setText(QStringLiteral("%1 с").arg(double(elapsed.elapsed()) / 1000.0, 0, 'f', 1));
    });
    ShowSearching(true);
    const auto done = qScopeGuard([this] { ShowSearching(false); });
    clock.start(100);
    worker.Resume();
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
    if (DriverExists())
        Driver().ControlInterface().Interrupt();
}
