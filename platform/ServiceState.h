#pragma once
// The state of an operating-system service, asked of the service manager
// (systemd on Linux). Tests install a fake.
#include <QHash>
#include <QString>
#include <optional>

// Service states as the programs know them.
enum TServiceState {
    ssStopped = 1,
    ssStartPending = 2,
    ssStopPending = 3,
    ssRunning = 4,
    ssContinuePending = 5,
    ssPausePending = 6,
    ssPaused = 7,
};

class IServiceStateSource {
public:
    virtual ~IServiceStateSource() = default;
    // The service's state; nothing when the service manager cannot be asked
    // or the service is not installed.
    virtual std::optional<TServiceState> QueryServiceState(const QString& name) = 0;
};

// The source in use: systemd unless a test installed another one.
IServiceStateSource& ServiceStateSource();
// Installs a source (THook; nullptr: back to systemd) and returns the one
// before. The caller keeps ownership.
IServiceStateSource* SetServiceStateSource(IServiceStateSource* source);

// Asks systemd (systemctl show) for the unit "<name>.service" of the system
// manager; the local machine only.
class SystemdServiceState : public IServiceStateSource {
public:
    std::optional<TServiceState> QueryServiceState(const QString& name) override;
    // The state for systemd's ActiveState of an installed unit.
    static TServiceState StateFromActiveState(const QString& activeState);
};

// A fixed set of installed services for tests; installs itself while it
// lives and puts the source before back when it goes.
class FakeServiceState : public IServiceStateSource {
public:
    FakeServiceState();
    ~FakeServiceState() override;
    void SetState(const QString& name, TServiceState state) { FStates[name] = state; }
    void Remove(const QString& name) { FStates.remove(name); }
    std::optional<TServiceState> QueryServiceState(const QString& name) override;

private:
    IServiceStateSource* FPrevious;
    QHash<QString, TServiceState> FStates;
};
