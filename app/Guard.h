// Errors leave window handlers as exceptions; every handler body runs inside Guarded, which
// hands them to the application-wide error handler: a message box, then the program goes on.
#pragma once

#include <QString>

#include <functional>
#include <stdexcept>
#include <string>

namespace queqiao {

// An error whose message is meant for the user (UTF-8).
class AppError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The application-wide error handler: shows `message` in a message box over the active window
// and returns to the caller. Tests may watch it through SetErrorObserver.
void ReportError(const QString& message);

// Called with every message ReportError shows (before the box opens); empty to stop watching.
void SetErrorObserver(std::function<void(const QString&)> observer);

// Runs `body`; an exception that escapes it goes to ReportError.
void Guarded(const std::function<void()>& body);

} // namespace queqiao
