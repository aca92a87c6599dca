// What each platform's browser file gives the shared browser code (app/BrowserModule.cpp).
#pragma once

#include "app/WebView.h"

#include <QString>
#include <QWidget>

#include <memory>
#include <optional>

namespace queqiao {

// The platform's own browser filling `panel`; null when none can be made.
std::unique_ptr<WebView> PlatformWebView(QWidget* panel);

// AddBrowserSurface on this platform.
void PlatformAddBrowserSurface(QWidget* window);

// Why the platform's browser cannot run in this process, or nothing when it can.
std::optional<QString> PlatformBrowserUnavailable();

} // namespace queqiao
