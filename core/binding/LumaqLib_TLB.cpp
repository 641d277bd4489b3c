#include "core/binding/LumaqLib_TLB.h"

#include "platform/Exceptions.h"

#include <atomic>

namespace {
std::atomic<std::uint64_t> FCallCount{0};

std::int32_t Called(IOrvekComponent& Intf, OrvekMethod method)
{
    ++FCallCount;
    return Intf.Invoke(DispId(method));
}

void Written(IOrvekComponent& Component, OrvekProp prop, const QVariant& value)
{
    if (prop == OrvekProp::Connected)
        ++FCallCount;
    Component.PutProperty(DispId(prop), value);
}
} // namespace

std::uint64_t TOrvek::CallCount()
{
    return FCallCount.load();
}

TOrvek::TOrvek() : FComponent(CreateOrvekComponent()) {}

TOrvek::~TOrvek() = default;

IOrvekComponent& TOrvek::ControlInterface()
{
    if (!FIntf) {
        if (!FComponent->HasDefaultInterface())
            throw EOleError(QStringLiteral("Интерфейс не поддерживается"));
        FIntf = FComponent.get();
    }
    return *FIntf;
}

QVariant TOrvek::GetProperty(OrvekProp prop) const
{
    return FComponent->GetProperty(DispId(prop));
}

void TOrvek::PutProperty(OrvekProp prop, const QVariant& value)
{
    Written(*FComponent, prop, value);
}

std::int32_t TOrvek::Invoke(OrvekMethod method)
{
    return Called(ControlInterface(), method);
}

#define ORVEK_SETTER_RO(Name, Kind)
#define ORVEK_SETTER_RW(Name, Kind)                                       \
    void TOrvek::set##Name(const ORVEK_KIND_TYPE(Kind)& value)           \
    {                                                                     \
        Written(*FComponent, OrvekProp::Name, OrvekValue<OrvekKind::Kind>::Write(value)); \
    }
#define ORVEK_PROPERTY(Name, Kind, Access)                                                    \
    ORVEK_KIND_TYPE(Kind) TOrvek::Name() const                                                \
    {                                                                                         \
        return OrvekValue<OrvekKind::Kind>::Read(FComponent->GetProperty(DispId(OrvekProp::Name))); \
    }                                                                                         \
    ORVEK_SETTER_##Access(Name, Kind)
#define ORVEK_METHOD(Name) \
    std::int32_t TOrvek::Name() { return Called(ControlInterface(), OrvekMethod::Name); }
#include "core/binding/OrvekMembers.def"
