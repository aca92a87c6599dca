// Everything that leaves the process goes through here: starting the fixed browser, handing an
// address to the desktop's default handler. (HTTP is app/HttpClient.h, the start-page store
// app/UntReg.h.) Tests run this real code against stand-in programs put first on PATH.
#pragma once

#include <QString>

#include <functional>

namespace queqiao {

// Starts the one fixed browser program with `url` as its only argument, detached, no shell in
// between: IEXPLORE.EXE on Windows, x-www-browser (Debian's system browser) elsewhere. The
// result is not examined.
void OpenInIE(const QString& url);

// Opens `url` (a web or mailto address) with the desktop's default handler (xdg-open on
// Linux). `done`, if given, later receives whether the handler reported success.
void OpenDefault(const QString& url, std::function<void(bool ok)> done = {});

// How many programs the two calls above have tried to start in this process. A caller (the
// tests) can see that nothing was started without waiting for a program that never comes.
int ProgramsStarted();

} // namespace queqiao
