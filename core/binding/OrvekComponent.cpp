#include "core/binding/OrvekComponent.h"

#include "platform/Exceptions.h"

#include <mutex>

namespace {
std::mutex& FactoryLock()
{
    static std::mutex lock;
    return lock;
}
OrvekFactory& Factory()
{
    static OrvekFactory factory;
    return factory;
}
} // namespace

OrvekFactory SetOrvekFactory(OrvekFactory factory)
{
    std::lock_guard lock(FactoryLock());
    std::swap(Factory(), factory);
    return factory;
}

std::unique_ptr<IOrvekComponent> CreateOrvekComponent()
{
    OrvekFactory factory;
    {
        std::lock_guard lock(FactoryLock());
        factory = Factory();
    }
    if (!factory)
        throw EOleError(QStringLiteral("Класс не зарегистрирован"));
    auto component = factory();
    if (!component)
        throw EOleError(QStringLiteral("Класс не зарегистрирован"));
    return component;
}
