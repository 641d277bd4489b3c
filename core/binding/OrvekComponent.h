#pragma once
// The driver component as the binding sees it, and its creation.
// The component answers property reads and writes and method calls by
// dispatch id (OrvekMembers.h). A failure of the component itself (an unknown
// id, a refused write) raises EOleError; a device error is a result code.
#include <QVariant>
#include <cstdint>
#include <functional>
#include <memory>

class IOrvekComponent {
public:
    virtual ~IOrvekComponent() = default;
    // The property's value in its boundary form (OrvekTypes.h).
    virtual QVariant GetProperty(std::int32_t dispId) = 0;
    virtual void PutProperty(std::int32_t dispId, const QVariant& value) = 0;
    // Runs one driver method; returns its result code.
    virtual std::int32_t Invoke(std::int32_t dispId) = 0;
    // False for a component that lacks the default interface: its methods
    // cannot be called (its properties still can).
    virtual bool HasDefaultInterface() const { return true; }
    // While the returned handle lives, calls on this object from other
    // threads wait: a unit of property writes, a call and property reads
    // stays whole. Null for a component that serialises nothing.
    virtual std::shared_ptr<void> Exclusive() { return nullptr; }
    // Asks a long call running on another thread (a device search) to stop
    // before its next try; takes no lock, so it works while the call runs.
    virtual void Interrupt() {}
};

// Stands in for creation by class id. A factory raises (EOleError) when the
// component cannot be created.
using OrvekFactory = std::function<std::unique_ptr<IOrvekComponent>()>;

// Installs the factory (THook); returns the one installed before. Thread-safe.
OrvekFactory SetOrvekFactory(OrvekFactory factory);
// Creates a component with the installed factory; with none installed raises
// EOleError("Класс не зарегистрирован").
std::unique_ptr<IOrvekComponent> CreateOrvekComponent();
