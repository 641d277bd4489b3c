#include "pages/service/fmuConnectionTest.h"

#include "core/driver/untDriver.h"
#include "core/settings/ResStrings.h"
#include "core/support/Format.h"
#include "core/support/NotifyThread.h"
#include "platform/Exceptions.h"
#include "platform/ui/FormBuilder.h"

#include <QCoreApplication>
#include <QScopeGuard>
#include <QTimer>

namespace {
constexpr int TimingLines = 100;
const char* const TimingCaption = "Тест соединения";
const char* const StopCaption = "Прервать";
} // namespace

TLinkTestLabels LinkTestLabels(std::int64_t RepCount, std::int64_t ErrCount, std::uint32_t TimeLeft)
{
    TLinkTestLabels l;
    l.RepCount = QString::number(RepCount);
    l.ErrCount = QString::number(ErrCount);
    l.TxSpeed = QString::number(TimeLeft ? RepCount * 1000 / std::int64_t(TimeLeft) : 0);
    l.ErrRate = Format(QStringLiteral("%.2f"), {RepCount ? double(ErrCount) * 100 / double(RepCount) : 0.0});
    l.TimeLeft = QString::number(TimeLeft / 1000);
    l.CommandTime = QString::number(RepCount ? std::int64_t(TimeLeft) / RepCount : 0);
    return l;
}

TfmConnectionTest::TfmConnectionTest(QWidget* owner) : TPage(owner, "fmConnectionTest", PageCaption)
{
    using T = TfmConnectionTest;
    TFormBuilder<T> page(this, nullptr, true);
    auto link = page.Group("gbLinkTest", QStringLiteral("Проверка связи"));
    auto value = [&](QLabel*& label, const char* name, const char* caption) {
        label = link.Row(QString::fromUtf8(caption), NewLabel(link.Container(), QStringLiteral("0"), name));
    };
    value(lblRepCount, "lblRepCount", "Количество повторов:");
    value(lblErrCount, "lblErrCount", "Количество ошибок:");
    value(lblTxSpeed, "lblTxSpeed", "Скорость, команд/c:");
    value(lblErrRate, "lblErrRate", "Процент ошибок:");
    value(lblTimeLeft, "lblTimeLeft", "Время теста, секунд:");
    value(lblCommandTime, "lblCommandTime", "Время команды, мс.:");
    link.Check(NAMED(chbStopOnError), QStringLiteral("Остановка при ошибке"));
    link.Label("lblCheck", QStringLiteral("Проверять:"));
    link.Check(NAMED(chkCheckFM), QStringLiteral("Связь с ФН"), false, "CheckFMConnection");
    link.Check(NAMED(chkUseShortStatus), QStringLiteral("Использовать короткий запрос"), false, "StatusCommand");
    link.Buttons(2, {
        {NAMED(btnStart), "Начать", &T::btnStartClick, "GetDeviceMetrics;\nGetShortECRStatus;\nFNGetStatus",
         TRun::Plain},
        {NAMED(btnStop), "Прервать", &T::btnStopClick, {}, TRun::Stop},
    });

    auto timing = page.Group("gbTestConnect", QStringLiteral("Тест соединения"));
    timing.Label("lblNote", QStringLiteral("Тест печатает 100 строк и выдает общее время печати."));
    edtTime = timing.Edit(NAMED(edtTime), QStringLiteral("Время теста, мс:"));
    edtTime->setReadOnly(true);
    timing.Label(NAMED(lblTestProgress), QString());
    timing.Buttons(1, {
        {NAMED(btnTestConnect), TimingCaption, &T::btnTestConnectClick, "PrintString;\nCutCheck", TRun::Plain},
    });
    page.Space();

    Timer = new QTimer(this);
    Timer->setInterval(300);
    connect(Timer, &QTimer::timeout, this, Guarded([this] { UpdateInfo(); }));
    // The worker reads the box afresh in every cycle.
    connect(chkUseShortStatus, &QCheckBox::toggled, this, [this](bool on) { FUseShortStatus.store(on); });
}

TfmConnectionTest::~TfmConnectionTest()
{
    FStopFlag.store(true);
    FTimingStop = true;
    FThread.reset();
}

bool TfmConnectionTest::Running() const
{
    return FThread && !FThread->isFinished();
}

void TfmConnectionTest::btnStartClick()
{
    // The previous worker ends before anything of the new run is set.
    FStopFlag.store(true);
    FThread.reset();
    FRepCount.store(0);
    FErrCount.store(0);
    FTimeLeft.store(0);
    FResultCode.store(0);
    FStopFlag.store(false);
    FStopOnError.store(chbStopOnError->isChecked());
    FCheckFM.store(chkCheckFM->isChecked());
    FUseShortStatus.store(chkUseShortStatus->isChecked());
    UpdateInfo();
    TDriver& d = Driver();
    d.setCheckFMConnection(chkCheckFM->isChecked());
    d.setStatusCommand(chkUseShortStatus->isChecked() ? 1 : 2);
    btnStop->setEnabled(true);
    btnStart->setEnabled(false);
    chkCheckFM->setEnabled(false);
    chbStopOnError->setEnabled(false);
    FDriver = &d;
    FStarted.start();
    FThread = std::make_unique<TNotifyThread>([this](TNotifyThread*) { ThreadProc(); });
    FThread->SetOnTerminate([this](TNotifyThread* Sender) { ThreadFinished(Sender); });
    ResumeDriverJob(*FThread);
    Timer->start();
}

void TfmConnectionTest::btnStopClick()
{
    FStopFlag.store(true);
}

void TfmConnectionTest::ThreadProc()
{
    TDriver& d = *FDriver;
    while (!FStopFlag.load()) {
        FRepCount.fetch_add(1);
        std::int32_t code;
        if (FCheckFM.load())
            code = d.FNGetStatus();
        else if (FUseShortStatus.load())
            code = d.GetShortECRStatus();
        else
            code = d.GetDeviceMetrics();
        FResultCode.store(code);
        if (code != 0)
            FErrCount.fetch_add(1);
        FTimeLeft.store(std::uint32_t(FStarted.elapsed()));
        // Judged in every cycle, also within the first millisecond.
        if (code != 0 && FStopOnError.load())
            break;
    }
}

void TfmConnectionTest::ThreadFinished(TNotifyThread* Sender)
{
    Timer->stop();
    btnStop->setEnabled(false);
    btnStart->setEnabled(true);
    chkCheckFM->setEnabled(true);
    chbStopOnError->setEnabled(true);
    // The labels show the end, not the last tick.
    UpdateInfo();
    const std::exception_ptr error = Sender->FatalException();
    FDriver->Disconnect();
    if (error)
        std::rethrow_exception(error);
}

void TfmConnectionTest::UpdateInfo()
{
    const TLinkTestLabels l = LinkTestLabels(FRepCount.load(), FErrCount.load(), FTimeLeft.load());
    lblRepCount->setText(l.RepCount);
    lblErrCount->setText(l.ErrCount);
    lblTxSpeed->setText(l.TxSpeed);
    lblErrRate->setText(l.ErrRate);
    lblTimeLeft->setText(l.TimeLeft);
    lblCommandTime->setText(l.CommandTime);
}

void TfmConnectionTest::btnTestConnectClick()
{
    if (FTiming) {
        FTimingStop = true;
        return;
    }
    // The link test's buttons stay as its state says.
    const auto end = qScopeGuard([this] {
        FTiming = false;
        btnTestConnect->setText(QString::fromUtf8(TimingCaption));
        btnStart->setEnabled(!Running());
        btnStop->setEnabled(Running());
    });
    TEnableButtonsFrame frame(this);
    TDriverJob job;   // events run between the driver calls
    FTiming = true;
    FTimingStop = false;
    btnTestConnect->setText(QString::fromUtf8(StopCaption));
    btnTestConnect->setEnabled(true);
    TDriver& d = Driver();
    d.setStringForPrinting(GetRes("Строка для печати"));
    QElapsedTimer started;
    started.start();
    std::int32_t failure = 0;
    QString failureText;
    for (int line = 1; line <= TimingLines && !FTimingStop; ++line) {
        failure = d.PrintString();
        if (failure != 0) {
            failureText = d.ResultCodeDescription();
            break;
        }
        lblTestProgress->setText(QStringLiteral("Напечатано строк: %1").arg(line));
        QCoreApplication::processEvents();
    }
    d.setCutType(true);
    d.CutCheck();
    edtTime->setText(QString::number(std::uint32_t(started.elapsed())));
    // The cut's result would hide a failed line.
    if (failure != 0)
        throw Exception(Format(QStringLiteral("Ошибка %d: %s"), {failure, failureText}));
}
