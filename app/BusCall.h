#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QVariantList>
#include <utility>

// The program's D-Bus calls, each written in one expression and never waited for.

// A method call with its arguments.
QDBusMessage BusCall(const QString& service, const QString& path, const QString& interface,
    const QString& method, const QVariantList& arguments = {});

// Sends `call` and hands `then` its reply, or the error that ends it (among them no answer within
// `timeoutMs`; -1 for D-Bus's own default), on `context`'s thread; nothing once `context` is gone.
template <typename Then>
void AskOverBus(
    const QDBusConnection& bus, const QDBusMessage& call, int timeoutMs, QObject* context, Then then)
{
    auto* const watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, timeoutMs), context);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context,
        [then = std::move(then)](QDBusPendingCallWatcher* finished) {
            finished->deleteLater();
            then(finished->reply());
        });
}
