#include "core/binding/OrvekComponent.h"

#include "platform/Exceptions.h"
#include "platform/Hook.h"

namespace {
THook<OrvekFactory>& FactoryHook()
{
    static THook<OrvekFactory> hook;
    return hook;
}
} // namespace

OrvekFactory SetOrvekFactory(OrvekFactory factory)
{
    return FactoryHook().Set(std::move(factory));
}

std::unique_ptr<IOrvekComponent> CreateOrvekComponent()
{
    const OrvekFactory factory = FactoryHook().Get();
    if (!factory)
        throw EOleError(QStringLiteral("Класс не зарегистрирован"));
    auto component = factory();
    if (!component)
        throw EOleError(QStringLiteral("Класс не зарегистрирован"));
    return component;
}
