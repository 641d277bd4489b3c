#include "regmaven/OrvekSearchDevice.h"

#include "core/support/Format.h"
#include "core/support/NotifyThread.h"
#include "platform/Exceptions.h"
#include "regmaven/untDriver.h"
#include "regmaven/untUtils2.h"

#include <QScopeGuard>

namespace Regmaven {

TOrvekSearchDevice::TOrvekSearchDevice()
    : FBaudrates({115200, 4800, 230400, 460800, 921600, 57600, 19200, 9600, 38400, 2400}),
      FDevice(std::make_unique<TOrvekDevice>())
{
    FDevice->setOFDExchangeSuspended(true);
}

TOrvekSearchDevice::~TOrvekSearchDevice()
{
    FThread.reset();
    FDevice->Disconnect();
    // The worker's last writes were under the lock: taking it orders them
    // before the fields go, also for tools that do not see the thread's join.
    std::lock_guard lock(FLock);
}

void TOrvekSearchDevice::SetParams(const TSearchParamsRec& Value)
{
    {
        std::lock_guard lock(FLock);
        FParams.PortNumber = Value.PortNumber;
        FParams.Timeout = Value.Timeout;
    }
    FDevice->Disconnect();
    FDevice->setPortNumber(Value.PortNumber);
    FDevice->setTimeout(Value.Timeout);
    FDevice->setConnectionType(0);
    FDevice->setProtocolType(0);
}

TSearchParamsRec TOrvekSearchDevice::GetParams() const
{
    std::lock_guard lock(FLock);
    return FParams;
}

void TOrvekSearchDevice::Search()
{
    FThread.reset();
    FCancel = false;
    {
        std::lock_guard lock(FLock);
        FState = {};
    }
    FThread = std::make_unique<TNotifyThread>([this](TNotifyThread*) { Execute(); });
    FThread->Resume();
}

void TOrvekSearchDevice::Stop()
{
    FCancel = true;
}

void TOrvekSearchDevice::WaitFor()
{
    if (FThread)
        FThread->WaitFor();
}

void TOrvekSearchDevice::Added()
{
    std::lock_guard lock(FLock);
    FState.Added = true;
}

QString TOrvekSearchDevice::GetName() const
{
    std::lock_guard lock(FLock);
    return Name;
}

QString TOrvekSearchDevice::GetSerial() const
{
    std::lock_guard lock(FLock);
    return Serial;
}

TSearchState TOrvekSearchDevice::GetState() const
{
    std::lock_guard lock(FLock);
    return FState;
}

void TOrvekSearchDevice::SetText(const QString& Text)
{
    std::lock_guard lock(FLock);
    FState.Text = Text;
}

void TOrvekSearchDevice::Execute()
{
    // Every way out, an exception included, leaves the port finished.
    const auto finish = qScopeGuard([this] {
        std::lock_guard lock(FLock);
        if (FState.Finished)
            return;
        FState.Finished = true;
        FState.Succeded = false;
        FState.Text = FCancel ? QStringLiteral("Поиск отменен") : QStringLiteral("Не найдено");
    });
    for (int rate : FBaudrates) {
        bool found = false;
        try {
            found = TryBaudrate(rate);
        } catch (const std::exception&) {
            // The next rate; only the last failure is recorded.
        }
        FDevice->Disconnect();
        if (found)
            return;
    }
}

bool TOrvekSearchDevice::TryBaudrate(int Baudrate)
{
    if (FCancel)
        throw EAbort(QStringLiteral("Поиск отменен"));
    SetText(QStringLiteral("Поиск: ") + QString::number(Baudrate));
    TOrvekDevice& d = *FDevice;
    d.Disconnect();
    d.setConnectionType(0);
    d.setProtocolType(0);
    d.setComNumber(GetParams().PortNumber);
    d.setTimeout(1000);
    d.setSearchTimeout(600);
    d.setMaxCommandSendCount(1);
    d.setMaxAnswerReadCount(1);
    d.setBaudRate(TOrvekBaudrate::BaudrateToCode(Baudrate));
    const int32_t locked = d.LockPort();
    if (IsPortHeld(locked))
        return PortHeld();
    d.Check(locked);
    const auto unlock = qScopeGuard([&d] { d.UnlockPort(); });
    const int32_t metrics = d.GetDeviceMetrics();
    if (IsPortHeld(metrics))
        return PortHeld();
    if (metrics < 0)
        d.Check(metrics);
    const QString metricsDescription = d.ResultCodeDescription();
    const int deviceId = d.UModel();
    const QString serial = (d.ReadSerialNumber() == 0 ? d.SerialNumber() : d.ResultCodeDescription()).trimmed();
    const QString description = d.UDescription().trimmed();
    QString text = Format("%s, COM%d, %d, ЗН: %s", {description, d.PortNumber(), Baudrate, serial});
    if (metrics > 0)
        text += Format(": %d, %s", {metrics, metricsDescription});
    std::lock_guard lock(FLock);
    Name = description;
    Serial = serial;
    FParams.Baudrate = Baudrate;
    FState.Text = text;
    FState.DeviceID = deviceId;
    FState.Finished = true;
    FState.Succeded = true;
    return true;
}

bool TOrvekSearchDevice::PortHeld()
{
    std::lock_guard lock(FLock);
    FState.Text = QStringLiteral("COM%1: ").arg(FParams.PortNumber) + PortHeldText();
    FState.Held = true;
    FState.Finished = true;
    FState.Succeded = false;
    return true;
}

} // namespace Regmaven
