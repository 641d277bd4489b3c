#include "pages/service/fmuTest.h"

#include "core/driver/untDriver.h"
#include "core/support/NotifyThread.h"
#include "core/support/SysUtils.h"
#include "platform/ui/FormBuilder.h"

#include <QRandomGenerator>
#include <QTimer>

namespace {
constexpr int LinesPerCycle = 10;
constexpr int FirstCashRegister = 193;
constexpr int LastCashRegister = 208;
} // namespace

QString GetRandomStr()
{
    QRandomGenerator& random = *QRandomGenerator::global();
    const int n = int(random.bounded(40));
    QString s;
    for (int i = 0; i < n; ++i)
        s += QChar(0x00C0 + int(random.bounded(20)));
    return s;
}

TfmTest::TfmTest(QWidget* owner) : TPage(owner, "fmTest", PageCaption)
{
    using T = TfmTest;
    TFormBuilder<T> page(this, nullptr, true);
    auto group = page.Group("gbReceipt", QStringLiteral("Открытие/отмена чека"));
    group.Edit(NAMED(edtCount), QStringLiteral("Количество повторов:"), QStringLiteral("10"));
    lblRepCount = group.Row(QStringLiteral("Выполнено:"), NewLabel(group.Container(), QStringLiteral("0"), "lblRepCount"));
    lblErrorCount =
        group.Row(QStringLiteral("Кол-во ошибок:"), NewLabel(group.Container(), QStringLiteral("0"), "lblErrorCount"));
    group.Label(NAMED(lblError), QString())->setWordWrap(true);
    group.Check(NAMED(chkStopOnError), QStringLiteral("Останавливать при ошибке"));
    group.Buttons(2, {
        {NAMED(btnStart), "Начать", &T::btnStartClick, "PrintString;\nCutCheck;\nGetCashReg;\nOpenCheck;\nCancelCheck",
         TRun::Plain},
        {NAMED(btnStop), "Прервать", &T::btnStopClick, {}, TRun::Stop},
    });
    page.Space();

    Timer = new QTimer(this);
    Timer->setInterval(300);
    connect(Timer, &QTimer::timeout, this, Guarded([this] { UpdateInfo(); }));
}

TfmTest::~TfmTest()
{
    FStopFlag.store(true);
    FThread.reset();
}

void TfmTest::btnStartClick()
{
    // A count that is no integer starts nothing.
    const std::int32_t total = StrToInt(edtCount->text().trimmed());
    FStopFlag.store(true);
    FThread.reset();
    FRepCount.store(0);
    FTotalCount.store(total);
    lblError->clear();
    FStopFlag.store(false);
    FStopOnError.store(chkStopOnError->isChecked());
    FErrCount.store(0);
    FResultCode.store(0);
    UpdateInfo();
    btnStop->setEnabled(true);
    btnStart->setEnabled(false);
    FDriver = &Driver();
    FThread = std::make_unique<TNotifyThread>([this](TNotifyThread*) { ThreadProc(); });
    FThread->SetOnTerminate([this](TNotifyThread* Sender) { ThreadFinished(Sender); });
    ResumeDriverJob(*FThread);
    Timer->start();
}

void TfmTest::btnStopClick()
{
    FStopFlag.store(true);
}

bool TfmTest::Failed(std::int32_t code)
{
    FResultCode.store(code);
    if (code == 0)
        return false;
    {
        std::lock_guard lock(FDescriptionLock);
        FResultDescription = FDriver->ResultCodeDescription();
    }
    FErrCount.fetch_add(1);
    return FStopOnError.load();
}

void TfmTest::ThreadProc()
{
    TDriver& d = *FDriver;
    bool receiptOpen = false;
    // A receipt this test opened is cancelled on every way out.
    const auto cancelOpen = [&] {
        if (receiptOpen)
            d.CancelCheck();
    };
    // A call and the description of its result form one unit.
    const auto call = [&](auto&& method) {
        const auto unit = d.ControlInterface().Exclusive();
        return Failed(method());
    };
    for (;;) {
        FRepCount.fetch_add(1);
        for (int line = 0; line < LinesPerCycle && !FStopFlag.load(); ++line) {
            d.setStringForPrinting(GetRandomStr());
            if (call([&] { return d.PrintString(); }))
                return cancelOpen();
            d.WaitForPrinting();
        }
        d.setCutType(true);
        if (call([&] { return d.CutCheck(); }))
            return cancelOpen();
        d.WaitForPrinting();
        for (int r = FirstCashRegister; r <= LastCashRegister && !FStopFlag.load(); ++r) {
            d.setRegisterNumber(r);
            if (call([&] { return d.GetCashReg(); }))
                return cancelOpen();
        }
        // Stopped: no receipt is opened.
        if (FStopFlag.load())
            return;
        d.setCheckType(0);
        if (call([&] { return d.OpenCheck(); }))
            return;
        receiptOpen = FResultCode.load() == 0;
        const bool stop = call([&] { return d.CancelCheck(); });
        receiptOpen = receiptOpen && FResultCode.load() != 0;
        if (stop)
            return cancelOpen();
        if (FRepCount.load() == FTotalCount.load() || FStopFlag.load())
            return cancelOpen();
    }
}

void TfmTest::ThreadFinished(TNotifyThread* Sender)
{
    Timer->stop();
    const std::exception_ptr error = Sender->FatalException();
    FDriver->Disconnect();
    btnStop->setEnabled(false);
    btnStart->setEnabled(true);
    UpdateInfo();
    if (FResultCode.load() != 0 && FStopOnError.load()) {
        std::lock_guard lock(FDescriptionLock);
        lblError->setText(QStringLiteral("Ошибка: %1, %2").arg(FResultCode.load()).arg(FResultDescription));
    }
    if (error)
        std::rethrow_exception(error);
}

void TfmTest::UpdateInfo()
{
    lblRepCount->setText(QString::number(FRepCount.load()));
    lblErrorCount->setText(QString::number(FErrCount.load()));
}
