#include "core/support/ServiceManager.h"

int ServiceGetStatus(const QString& name)
{
    return ServiceStateSource().QueryServiceState(name).value_or(ssStopped);
}

bool ServiceInstalled(const QString& name)
{
    return ServiceStateSource().QueryServiceState(name).has_value();
}

bool ServiceRunning(const QString& name)
{
    return ServiceGetStatus(name) == ssRunning;
}
