#pragma once
// TOrvekSearchDevice: the search of one COM port with a driver object of its
// own, on a worker thread, trying the baud rates in a fixed order until a
// register answers. The page reads the progress through GetState.
#include "regmaven/OrvekDevice.h"

#include <QList>
#include <QString>
#include <atomic>
#include <memory>
#include <mutex>

class TNotifyThread;

namespace Regmaven {

struct TSearchParamsRec {
    int PortNumber = 0;
    int Baudrate = 0;   // the rate the register answered at
    int Timeout = 600;  // carried; the search uses its own
};

struct TSearchState {
    bool Finished = false;
    bool Succeded = false;
    QString Text;
    int DeviceID = 0;
    bool Added = false;
    bool Held = false;  // a register answered that its port is held by another program
};

class ISearchDevice {
public:
    virtual ~ISearchDevice() = default;
    virtual void Search() = 0;
    virtual void Stop() = 0;
    virtual void Added() = 0;
    virtual QString GetName() const = 0;
    virtual QString GetSerial() const = 0;
    virtual TSearchState GetState() const = 0;
    virtual TSearchParamsRec GetParams() const = 0;
    virtual void SetParams(const TSearchParamsRec& Value) = 0;
    virtual QList<int> GetBaudrates() const = 0;
};

class TOrvekSearchDevice : public ISearchDevice {
public:
    TOrvekSearchDevice();
    // Waits for the worker, then disconnects and frees the driver object.
    ~TOrvekSearchDevice() override;

    // Waits for the previous worker, then starts a new one.
    void Search() override;
    // The remaining attempts end at once; does not wait.
    void Stop() override;
    void Added() override;
    QString GetName() const override;
    QString GetSerial() const override;
    TSearchState GetState() const override;
    TSearchParamsRec GetParams() const override;
    void SetParams(const TSearchParamsRec& Value) override;
    QList<int> GetBaudrates() const override { return FBaudrates; }

    // The object's own driver object (tests look at what it was told).
    TOrvekDevice& Device() { return *FDevice; }
    // Waits for the worker's end.
    void WaitFor();

private:
    void Execute();
    // One attempt at Baudrate; true when a register answered, also that its
    // port is held (no other rate is tried then).
    bool TryBaudrate(int Baudrate);
    // Ends the search with the port held; true.
    bool PortHeld();
    void SetText(const QString& Text);

    const QList<int> FBaudrates;
    std::unique_ptr<TOrvekDevice> FDevice;
    std::unique_ptr<TNotifyThread> FThread;
    std::atomic<bool> FCancel{false};
    mutable std::mutex FLock;  // guards the fields below
    TSearchParamsRec FParams;
    TSearchState FState;
    QString Name;
    QString Serial;
};

} // namespace Regmaven
