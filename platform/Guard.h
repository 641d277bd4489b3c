#pragma once
// The one guard through which every event-loop entry runs (button, menu,
// timer, socket, list click): EAbort ends the handler silently, any other
// exception is shown in a message box titled with the application title.
// No exception crosses the Qt event loop.
#include <QString>
#include <exception>
#include <functional>
#include <tuple>
#include <type_traits>
#include <utility>

// Shows an exception the way the application's default handler does.
void HandleException(const std::exception& e);

// Runs a handler through the guard. Returns false when it ended by an exception.
bool RunGuarded(const std::function<void()>& handler);

// While one exists, the guard keeps the first exception of the handlers it
// runs in this thread instead of showing it: code that changes a control
// learns whether the control's change handler refused the change, and no
// exception crosses Qt's frames on the way. Raise() raises it again.
class TGuardCollect {
public:
    TGuardCollect();
    ~TGuardCollect();
    TGuardCollect(const TGuardCollect&) = delete;
    TGuardCollect& operator=(const TGuardCollect&) = delete;

    void Raise();

private:
    friend bool RunGuarded(const std::function<void()>& handler);

    TGuardCollect* FOuter;
    std::exception_ptr FError;
};

namespace guard_detail {
// Calls f with the longest prefix of args it accepts, so a handler may ignore
// trailing signal arguments (clicked(bool) -> void btnXClick()).
template <class F, class Tuple, std::size_t... I>
void callWith(F& f, Tuple& t, std::index_sequence<I...>) { std::invoke(f, std::get<I>(t)...); }

template <std::size_t N, class F, class Tuple>
void callPrefix(F& f, Tuple& t)
{
    constexpr bool ok = []<std::size_t... I>(std::index_sequence<I...>) {
        return std::is_invocable_v<F&, std::tuple_element_t<I, Tuple>&...>;
    }(std::make_index_sequence<N>{});
    if constexpr (ok)
        callWith(f, t, std::make_index_sequence<N>{});
    else if constexpr (N > 0)
        callPrefix<N - 1>(f, t);
    else
        static_assert(N > 0, "handler cannot be called with these signal arguments");
}
} // namespace guard_detail

// Wraps a callable (a lambda or a bound member) for QObject::connect.
template <class F>
auto Guarded(F handler)
{
    return [handler = std::move(handler)](auto&&... args) mutable {
        RunGuarded([&] {
            auto t = std::forward_as_tuple(args...);
            guard_detail::callPrefix<sizeof...(args)>(handler, t);
        });
    };
}

// Wraps a member handler:
//   connect(btnPrint, &QPushButton::clicked, this, Guarded(this, &TfmX::btnPrintClick));
template <class T, class M>
auto Guarded(T* object, M handler)
{
    return Guarded([object, handler](auto&&... args)
                       requires std::is_invocable_v<M, T*, decltype(args)...>
                   { std::invoke(handler, object, std::forward<decltype(args)>(args)...); });
}
