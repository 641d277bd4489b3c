#pragma once
// TCheckLANWorkTask: the link check of the OFD link pages, on a worker
// thread. It takes the register's address on its network link (waiting for
// DHCP when the register gets its address so), then connects to the register
// there with a driver object of its own.
#include "regmaven/WorkThread.h"

namespace Regmaven {

class TCheckLANWorkTask : public TWorkThread {
public:
    // The run's state starts here, on the UI thread, so that a Stop at once reaches the worker.
    void Execute() override;
    void DoExecute() override;
    void Cancel() override;

private:
    void CheckLink();
    // The register's address and port on the link (global driver object).
    void LinkAddress(QString& Address, int& Port);
};

// The DHCP wait's limit in milliseconds (60000 unless a test installs
// another); returns the one before.
int SetDHCPWaitLimit(int Milliseconds);

} // namespace Regmaven
