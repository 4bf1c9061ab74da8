// The application's default error report and the guard that every event handler runs behind:
// an exception that leaves a handler ends that handler, is shown to the user, and the program
// goes on with the next event. No exception ever reaches Qt's event machinery.
#pragma once

#include <QObject>
#include <QString>
#include <exception>
#include <functional>
#include <type_traits>
#include <utility>

namespace platform {

// The text as the report shows it: a full stop is added when the last character sorts after ".".
QString errorReportText(const QString& message);

// Shows the modal error box: error icon, one "OK", the application title as caption.
void reportError(const std::exception& error);

// Runs `handler`; whatever it throws goes to the default error report.
template <typename Handler> void runGuarded(Handler&& handler) noexcept
{
    try {
        std::forward<Handler>(handler)();
    } catch (const std::exception& error) {
        reportError(error);
    } catch (...) {
        reportError(std::runtime_error("Unknown error"));
    }
}

namespace detail {

// Both branches depend on the template's own parameters, so each compiler checks only the one taken.
template <typename Receiver, typename Slot, typename... Args>
void invokeSlot(Receiver* receiver, Slot slot, Args&&... args)
{
    if constexpr (std::is_invocable_v<Slot, Receiver*, Args...>)
        std::invoke(slot, receiver, std::forward<Args>(args)...);
    else
        std::invoke(slot, receiver);
}

} // namespace detail

// connect() for event handlers: the slot runs behind the guard. Signal arguments are passed on
// when the slot takes them, and dropped when it takes none.
template <typename Sender, typename Signal, typename Receiver, typename Slot>
QMetaObject::Connection connectGuarded(const Sender* sender, Signal signal, Receiver* receiver, Slot slot)
{
    return QObject::connect(sender, signal, receiver, [receiver, slot](auto&&... args) -> void {
        runGuarded([&] { detail::invokeSlot(receiver, slot, std::forward<decltype(args)>(args)...); });
    });
}

} // namespace platform
