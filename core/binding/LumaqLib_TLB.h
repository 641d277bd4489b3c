#pragma once
// TOrvek: the binding of the driver component. Every property of
// OrvekMembers.def is a typed getter under the driver's name
// (Driver().ResultCode()); a read-write property also has a setter named
// set + the driver's name (Driver().setPassword(30)). Every method is a
// wrapper without arguments returning the result code (Driver().FNGetStatus());
// a non-zero code is the caller's business. Nothing is cached and no lock is
// taken: each access is one call into the component.
#include "core/binding/OrvekComponent.h"
#include "core/binding/OrvekMembers.h"

#include <memory>

#define ORVEK_KIND_TYPE(Kind) OrvekValue<OrvekKind::Kind>::Type

class TOrvek {
public:
    // Creates the component through the installed factory; raises what the
    // factory raises (EOleError) and then no object exists.
    TOrvek();
    virtual ~TOrvek();
    TOrvek(const TOrvek&) = delete;
    TOrvek& operator=(const TOrvek&) = delete;

    // The component's default interface, obtained on the first use; raises
    // EOleError when the component does not offer it.
    IOrvekComponent& ControlInterface();
    IOrvekComponent& DefaultInterface() { return ControlInterface(); }

#define ORVEK_SETTER_RO(Name, Kind)
#define ORVEK_SETTER_RW(Name, Kind) void set##Name(const ORVEK_KIND_TYPE(Kind)& value);
#define ORVEK_PROPERTY(Name, Kind, Access) \
    ORVEK_KIND_TYPE(Kind) Name() const;     \
    ORVEK_SETTER_##Access(Name, Kind)
#define ORVEK_METHOD(Name) std::int32_t Name();
#include "core/binding/OrvekMembers.def"
#undef ORVEK_SETTER_RO
#undef ORVEK_SETTER_RW

    // Untyped access by member, in the boundary form (for tools and tests).
    QVariant GetProperty(OrvekProp prop) const;
    void PutProperty(OrvekProp prop, const QVariant& value);
    std::int32_t Invoke(OrvekMethod method);

    // Calls made to the driver by any object so far: every method, and every
    // write of Connected (which connects or disconnects). What a caller
    // compares to tell whether a call was made meanwhile.
    static std::uint64_t CallCount();

private:
    std::unique_ptr<IOrvekComponent> FComponent;
    IOrvekComponent* FIntf = nullptr;
};
