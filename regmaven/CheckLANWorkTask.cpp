#include "regmaven/CheckLANWorkTask.h"

#include "core/support/Format.h"
#include "platform/Exceptions.h"
#include "platform/Hook.h"
#include "regmaven/untController.h"
#include "regmaven/untDriver.h"

#include <QElapsedTimer>
#include <QScopeGuard>
#include <QThread>

namespace Regmaven {

namespace {

constexpr int DHCPObtained = 10;
constexpr int DHCPPollMs = 50;

THook<int>& DHCPWaitLimit()
{
    static THook<int> hook(60000);
    return hook;
}

} // namespace

int SetDHCPWaitLimit(int Milliseconds)
{
    return DHCPWaitLimit().Set(Milliseconds);
}

void TCheckLANWorkTask::Execute()
{
    State().Start(2);
    TWorkThread::Execute();
}

void TCheckLANWorkTask::DoExecute()
{
    try {
        CheckLink();
        State().Success();
    } catch (const Exception& e) {
        State().Stop(e.Message(), false);
    }
}

void TCheckLANWorkTask::Cancel()
{
    State().UserCancel();
    TWorkThread::Cancel();
}

void TCheckLANWorkTask::LinkAddress(QString& Address, int& Port)
{
    const auto disconnect = qScopeGuard([] { Driver().Disconnect(); });
    if (Controller().IsRNDIS) {
        Address = Controller().IP;
        Port = Controller().TCPPort;
        return;
    }
    if (ReadTableInt(16, 1, 1) == 0) {
        State().SetText(QStringLiteral("Ожидание получения IP адреса..."));
        const int limit = DHCPWaitLimit().Get();
        QElapsedTimer wait;
        wait.start();
        int state = 0;
        for (;;) {
            state = ReadTableInt(16, 1, 2);
            State().CheckStopFlag();
            if (state == DHCPObtained || wait.elapsed() > limit)
                break;
            QThread::msleep(DHCPPollMs);
        }
        if (state != DHCPObtained)
            throw Exception(QStringLiteral("Не удается получить IP по DHCP ") + QString::number(state));
    }
    State().StepProgress(1);
    QStringList octets;
    for (int field = 3; field <= 6; ++field)
        octets << QString::number(ReadTableInt(16, 1, field));
    Address = octets.join(QLatin1Char('.'));
    Port = ReadTableInt(21, 1, 4);
}

void TCheckLANWorkTask::CheckLink()
{
    QString address;
    int port = 0;
    LinkAddress(address, port);
    State().SetText(QStringLiteral("Подключение по сети... ") + address + QStringLiteral(": ") + QString::number(port));

    TOrvek link;
    const auto disconnect = qScopeGuard([&link] { link.Disconnect(); });
    link.setConnectionType(6);
    link.setUseIPAddress(false);
    link.setComputerName(address);
    link.setTCPPort(port);
    link.setTCPConnectionTimeout(10000);
    if (link.GetECRStatus() != 0)
        throw Exception(Format("Ошибка подключения к : %s:%d, %s \r\nПроверьте настройки сети",
                               {address, port, link.ResultCodeDescription()}));
    State().StepProgress(1);
    State().SetSuccessText(Format("Связь успешно установлена: %s:%d\r\nНажмите \"Далее\"", {address, port}));
}

} // namespace Regmaven
