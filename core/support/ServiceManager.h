#pragma once
// State of an operating-system service (see platform/ServiceState.h).
#include "platform/ServiceState.h"

#include <QString>

// The service's current state; ssStopped when it cannot be asked for.
int ServiceGetStatus(const QString& name);
// Whether the service is installed.
bool ServiceInstalled(const QString& name);
// ServiceGetStatus = ssRunning.
bool ServiceRunning(const QString& name);
