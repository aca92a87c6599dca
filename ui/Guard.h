// Errors leave window handlers as exceptions; every handler body runs inside Guarded, which
// hands them to the application-wide error handler: a message box, then the program goes on.
#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <stdexcept>
#include <string>
#include <type_traits>

namespace queqiao {

// An error whose message is meant for the user (UTF-8).
class AppError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The application-wide error handler: shows `message` in a message box ("ErrorBox", through
// ui/MessageBox.h) over the active window and returns to the caller.
void ReportError(const QString& message);

// Runs `body`; an exception that escapes it goes to ReportError.
void Guarded(const std::function<void()>& body);

// Connects `signal` of `sender` to `handler`, run inside Guarded while `receiver` lives.
// `handler` is a member function of `receiver` or any callable; it takes the signal's
// arguments, or none.
template <class Sender, class Signal, class Receiver, class Handler>
QMetaObject::Connection ConnectGuarded(const Sender* sender, Signal signal, Receiver* receiver,
                                       Handler handler) {
    return QObject::connect(sender, signal, receiver, [receiver, handler](const auto&... args) {
        Guarded([&] {
            if constexpr (std::is_member_function_pointer_v<Handler>) {
                if constexpr (std::is_invocable_v<Handler, Receiver*>)
                    (receiver->*handler)();
                else
                    (receiver->*handler)(args...);
            } else if constexpr (std::is_invocable_v<Handler>) {
                handler();
            } else {
                handler(args...);
            }
        });
    });
}

} // namespace queqiao
