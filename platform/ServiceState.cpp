#include "platform/ServiceState.h"

#include "platform/Hook.h"

#include <QProcess>

namespace {

THook<IServiceStateSource*>& SourceHook()
{
    static THook<IServiceStateSource*> hook(nullptr);
    return hook;
}

} // namespace

IServiceStateSource& ServiceStateSource()
{
    static SystemdServiceState systemd;
    IServiceStateSource* installed = SourceHook().Get();
    return installed ? *installed : systemd;
}

IServiceStateSource* SetServiceStateSource(IServiceStateSource* source)
{
    return SourceHook().Set(source);
}

TServiceState SystemdServiceState::StateFromActiveState(const QString& activeState)
{
    if (activeState == u"active" || activeState == u"reloading" || activeState == u"refreshing")
        return ssRunning;
    if (activeState == u"activating")
        return ssStartPending;
    if (activeState == u"deactivating")
        return ssStopPending;
    return ssStopped; // inactive, failed, maintenance
}

std::optional<TServiceState> SystemdServiceState::QueryServiceState(const QString& name)
{
    if (name.isEmpty() || name.contains(u'/'))
        return std::nullopt;
    const QString unit = name.endsWith(QLatin1String(".service")) ? name : name + QLatin1String(".service");
    QProcess systemctl;
    systemctl.start(QStringLiteral("systemctl"),
                    {QStringLiteral("show"), QStringLiteral("--property=LoadState,ActiveState"), QStringLiteral("--"), unit});
    if (!systemctl.waitForFinished(5000) || systemctl.exitStatus() != QProcess::NormalExit || systemctl.exitCode() != 0) {
        systemctl.kill();
        systemctl.waitForFinished(1000);
        return std::nullopt;
    }
    QString loadState, activeState;
    for (const QByteArray& line : systemctl.readAllStandardOutput().split('\n')) {
        if (line.startsWith("LoadState="))
            loadState = QString::fromUtf8(line.mid(10)).trimmed();
        else if (line.startsWith("ActiveState="))
            activeState = QString::fromUtf8(line.mid(12)).trimmed();
    }
    if (loadState != u"loaded")
        return std::nullopt;
    return StateFromActiveState(activeState);
}

FakeServiceState::FakeServiceState() : FPrevious(SetServiceStateSource(this)) {}

FakeServiceState::~FakeServiceState()
{
    if (&ServiceStateSource() == this)
        SetServiceStateSource(FPrevious);
}

std::optional<TServiceState> FakeServiceState::QueryServiceState(const QString& name)
{
    auto it = FStates.constFind(name);
    if (it == FStates.constEnd())
        return std::nullopt;
    return *it;
}
