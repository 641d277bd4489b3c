#include "core/binding/LumaqLib_TLB.h"

#include "platform/Exceptions.h"

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
    FComponent->PutProperty(DispId(prop), value);
}

std::int32_t TOrvek::Invoke(OrvekMethod method)
{
    return ControlInterface().Invoke(DispId(method));
}

#define ORVEK_SETTER_RO(Name, Kind)
#define ORVEK_SETTER_RW(Name, Kind)                                       \
    void TOrvek::set##Name(const ORVEK_KIND_TYPE(Kind)& value)           \
    {                                                                     \
        FComponent->PutProperty(DispId(OrvekProp::Name),                  \
                                OrvekValue<OrvekKind::Kind>::Write(value)); \
    }
#define ORVEK_PROPERTY(Name, Kind, Access)                                                    \
    ORVEK_KIND_TYPE(Kind) TOrvek::Name() const                                                \
    {                                                                                         \
        return OrvekValue<OrvekKind::Kind>::Read(FComponent->GetProperty(DispId(OrvekProp::Name))); \
    }                                                                                         \
    ORVEK_SETTER_##Access(Name, Kind)
#define ORVEK_METHOD(Name) \
    std::int32_t TOrvek::Name() { return ControlInterface().Invoke(DispId(OrvekMethod::Name)); }
#include "core/binding/OrvekMembers.def"
