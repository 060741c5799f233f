// ConnectGuarded: connects a component's event to a handler that may raise.
#pragma once

#include "framework/Application.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <type_traits>
#include <utility>

namespace framework {

namespace detail {

// Runs a handler as Guarded runs it, with the event's sender while that lives: a queued call may
// come after the sender is gone. Callable with exactly the leading parameters the handler takes,
// so that Qt passes it as many of the event's parameters as it would pass the handler itself.
template <typename Handler> class GuardedSlot {
public:
    GuardedSlot(QObject* sender, Handler handler)
        : sender_(Watched(sender))
        , handler_(std::move(handler))
    {
    }

    template <typename... Args>
    auto operator()(Args&&... args)
        -> decltype(std::invoke(std::declval<Handler&>(), std::forward<Args>(args)...), void())
    {
        Guarded(sender_.data(), [&] { std::invoke(handler_, std::forward<Args>(args)...); });
    }

private:
    QPointer<QObject> sender_;
    Handler handler_;
};

// A member function with its object, callable only with the parameters the function takes.
template <typename Receiver, typename Method> class BoundMethod {
public:
    BoundMethod(Receiver* receiver, Method method)
        : receiver_(receiver)
        , method_(method)
    {
    }

    template <typename... Args>
    auto operator()(Args&&... args) const -> decltype(std::invoke(
        std::declval<Method>(), std::declval<Receiver*>(), std::forward<Args>(args)...))
    {
        return std::invoke(method_, receiver_, std::forward<Args>(args)...);
    }

private:
    Receiver* receiver_;
    Method method_;
};

}  // namespace detail

// Connects a component's event (`OnFoo`) to a handler that may raise: what it raises is caught in
// the slot and reported through the application object, as Guarded reports it, so Qt's signal code
// never unwinds, with direct and queued connections alike. The handler is a member function of
// `receiverOrContext` or a callable (a lambda), which the connection lives no longer than; like a
// Qt slot it may take fewer parameters than the event. A handler connected with plain `connect`
// must not raise.
template <typename Sender, typename Signal, typename Context, typename Handler>
QMetaObject::Connection ConnectGuarded(Sender* sender, Signal signal, Context* receiverOrContext,
    Handler handler, Qt::ConnectionType type = Qt::AutoConnection)
{
    if constexpr (std::is_member_function_pointer_v<Handler>) {
        using Bound = detail::BoundMethod<Context, Handler>;
        return QObject::connect(sender, signal, receiverOrContext,
            detail::GuardedSlot<Bound>(sender, Bound(receiverOrContext, handler)), type);
    } else {
        return QObject::connect(sender, signal, receiverOrContext,
            detail::GuardedSlot<Handler>(sender, std::move(handler)), type);
    }
}

}  // namespace framework
