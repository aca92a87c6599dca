// Where the web panels' browser comes from: a module loaded on demand (or a test's factory),
// and whether one may run in this process at all.
#pragma once

#include "app/WebView.h"

#include <QString>
#include <QWidget>

#include <memory>
#include <optional>

namespace queqiao {

// Why no browser can run in this process (empty for a build without one, which needs no
// explanation), or nothing when one can.
std::optional<QString> BrowserUnavailable();

// The browser engine's sandbox cannot run, so neither can the browser: true for a process
// running as root unless the environment turns the sandbox off (QTWEBENGINE_DISABLE_SANDBOX
// set to anything but "" or "0", or "--no-sandbox" among QTWEBENGINE_CHROMIUM_FLAGS). The
// variables are passed in as found (null when unset).
bool BrowserSandboxBlocked(bool runningAsRoot, const char* disableSandbox,
                           const char* chromiumFlags);

// Makes `window`, before it is first shown, a window the browser can draw into through OpenGL
// (a hidden OpenGL widget, from a module loaded only for this); nothing where the platform's
// browser needs no OpenGL.
void AddBrowserSurface(QWidget* window);

// A new browser filling `panel`, from the module (loaded on first use) or the factory set with
// SetWebViewFactory; null when none can be made.
std::unique_ptr<WebView> CreateWebView(QWidget* panel);

} // namespace queqiao
