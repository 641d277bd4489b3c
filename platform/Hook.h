#pragma once
// THook<T>: a value that the programs use and tests replace (a factory, a
// pause, a policy). Set installs a value and returns the one installed
// before; an empty value (a null function or pointer) puts the default back.
// Thread-safe. Each hook is reached through one Set<Name> function:
//
//   TPause SetPause(TPause pause) { return PauseHook().Set(std::move(pause)); }
//
//   // a test
//   TPause saved = SetPause([&](int ms) { pauses.push_back(ms); });
//   ...
//   SetPause(saved);
#include <mutex>
#include <type_traits>
#include <utility>

template <class T>
class THook {
public:
    explicit THook(T fallback = T()) : FDefault(fallback), FCurrent(std::move(fallback)) {}
    THook(const THook&) = delete;
    THook& operator=(const THook&) = delete;

    T Set(T value)
    {
        if constexpr (std::is_constructible_v<bool, T>)
            if (!value)
                value = FDefault;
        std::lock_guard lock(FLock);
        std::swap(FCurrent, value);
        return value;
    }
    T Get() const
    {
        std::lock_guard lock(FLock);
        return FCurrent;
    }

private:
    mutable std::mutex FLock;
    const T FDefault;
    T FCurrent;
};
