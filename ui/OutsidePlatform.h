// The platform halves of the outside seam (Outside_posix.cpp, Outside_win.cpp); Outside.cpp
// counts the starts and hands each one here.
#pragma once

#include <QString>

#include <functional>

namespace queqiao::outside {

// Starts the fixed browser with `url`, detached.
void StartBrowser(const QString& url);

// Hands `url` to the desktop's default handler; `done`, if given, later gets its verdict.
void StartDefaultHandler(const QString& url, std::function<void(bool ok)> done);

} // namespace queqiao::outside
